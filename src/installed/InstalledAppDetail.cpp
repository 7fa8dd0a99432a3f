#include "installed/InstalledAppDetail.h"

#include "installed/UninstallDialog.h"
#include "platform/Platform.h"
#include "ui/Button.h"
#include "ui/Label.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

namespace zandrel {

using ui::Button;

InstalledAppDetail::InstalledAppDetail(InstalledApp app, Platform& platform, QWidget* parent)
    : QWidget(parent)
    , app_(std::move(app))
    , platform_(platform)
{
    setObjectName(QStringLiteral("installedAppDetail"));
    setWindowTitle(app_.name);

    auto* name = new ui::Label(app_.name, ui::TextStyle::LargeTitle);
    name->setTextStyle(ui::TextStyle::LargeTitle, true);
    name->setObjectName(QStringLiteral("appName"));
    auto* path = new ui::Label(app_.path, ui::TextStyle::Caption, ui::Tone::Secondary);
    path->setObjectName(QStringLiteral("appPath"));
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* open = new Button(tr("Open"), Button::Kind::Prominent, Button::ControlSize::Large);
    open->setObjectName(QStringLiteral("openButton"));
    connect(open, &QPushButton::clicked, this, [this] { platform_.openAppBundle(app_.path); });
    auto* uninstall = new Button(tr("Uninstall"), Button::Kind::Destructive, Button::ControlSize::Large);
    uninstall->setObjectName(QStringLiteral("uninstallButton"));
    connect(uninstall, &QPushButton::clicked, this, &InstalledAppDetail::confirmUninstall);
    // Delete anywhere in the window while this app is shown asks, as the button does. A text field
    // that has the focus keeps its own Delete.
    auto* remove = new QShortcut(QKeySequence::Delete, this);
    remove->setContext(Qt::WindowShortcut);
    connect(remove, &QShortcut::activated, uninstall, &QPushButton::click);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addWidget(open);
    buttons->addWidget(uninstall);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(20);
    layout->addStretch(1);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(path, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->setAlignment(buttons, Qt::AlignHCenter);
    layout->addStretch(1);
}

void InstalledAppDetail::confirmUninstall()
{
    if (confirmation_)
        return;
    confirmation_ = new UninstallDialog(app_.name, this);
    confirmation_->setAttribute(Qt::WA_DeleteOnClose);
    connect(confirmation_, &QDialog::finished, this, [this] {
        switch (confirmation_->choice()) {
        case UninstallDialog::Choice::KeepData:
            uninstall(false);
            break;
        case UninstallDialog::Choice::DeleteData:
            uninstall(true);
            break;
        case UninstallDialog::Choice::Cancel:
            break;
        }
    });
    confirmation_->open();
}

void InstalledAppDetail::uninstall(bool deleteData)
{
    platform_.removeItem(app_.path);
    if (deleteData)
        platform_.removeItem(platform_.appDataPath(app_.name));
    Q_EMIT uninstalled();
}

} // namespace zandrel
