#include "installed/UninstallDialog.h"

#include "ui/Button.h"
#include "ui/Label.h"

#include <QVBoxLayout>

namespace zandrel {

using ui::Button;

UninstallDialog::UninstallDialog(const QString& appName, QWidget* parent)
    : QDialog(parent)
    , keepData_(new Button(tr("Uninstall (keep data)"), Button::Kind::Prominent))
    , deleteData_(new Button(tr("Uninstall && delete data"), Button::Kind::Destructive))
    , cancel_(new Button(tr("Cancel")))
{
    setObjectName(QStringLiteral("uninstallConfirmation"));
    const QString title = tr("Uninstall %1?").arg(appName);
    setWindowTitle(title);
    setModal(true);

    auto* heading = new ui::Label(title, ui::TextStyle::Headline);
    heading->setObjectName(QStringLiteral("uninstallTitle"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setWordWrap(true);
    auto* message = new ui::Label(tr("Deleting app data removes conversations, settings, and all local "
                                     "data for %1.")
                                      .arg(appName),
                                  ui::TextStyle::Callout);
    message->setObjectName(QStringLiteral("uninstallMessage"));
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);

    keepData_->setObjectName(QStringLiteral("keepDataButton"));
    keepData_->setDefault(true);
    deleteData_->setObjectName(QStringLiteral("deleteDataButton"));
    deleteData_->setAutoDefault(false);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    cancel_->setAutoDefault(false);
    connect(keepData_, &QPushButton::clicked, this, [this] { choose(Choice::KeepData); });
    connect(deleteData_, &QPushButton::clicked, this, [this] { choose(Choice::DeleteData); });
    connect(cancel_, &QPushButton::clicked, this, [this] { choose(Choice::Cancel); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(8);
    layout->addWidget(heading);
    layout->addWidget(message);
    layout->addSpacing(8);
    for (QPushButton* action : {keepData_, deleteData_, cancel_})
        layout->addWidget(action);
    setFixedWidth(300);
}

QPushButton* UninstallDialog::button(Choice choice) const
{
    switch (choice) {
    case Choice::KeepData:
        return keepData_;
    case Choice::DeleteData:
        return deleteData_;
    case Choice::Cancel:
        return cancel_;
    }
    return cancel_;
}

void UninstallDialog::choose(Choice choice)
{
    choice_ = choice;
    if (choice == Choice::Cancel)
        reject();
    else
        accept();
}

} // namespace zandrel
