#include "app/AboutDialog.h"

#include "platform/Platform.h"
#include "ui/ApplicationIcon.h"
#include "ui/Button.h"
#include "ui/Divider.h"
#include "ui/Label.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QUrl>
#include <QVBoxLayout>

namespace zandrel {

using ui::TextStyle;
using ui::Tone;

AboutDialog::AboutDialog(Platform& platform, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About Zandrel Hub"));

    auto* icon = new QLabel;
    icon->setPixmap(ui::applicationIcon().pixmap(64, 64));
    auto* name = new ui::Label(QStringLiteral("Zandrel Hub"), TextStyle::Title);
    name->setTextStyle(TextStyle::Title, true);
    auto* version =
        new ui::Label(tr("Version %1").arg(AboutDialog::version()), TextStyle::Callout, Tone::Secondary);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* what = new ui::Label(tr("The desktop window onto your local Zandrel Hub: its companion apps, the "
                                  "Zandrel Store, AI providers and each app's permissions."),
                               TextStyle::Body);
    what->setWordWrap(true);

    auto* heading = new QVBoxLayout;
    heading->setSpacing(2);
    heading->addWidget(name);
    heading->addWidget(version);
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(heading, 1);

    auto* licenceGrid = new QGridLayout;
    licenceGrid->setHorizontalSpacing(16);
    licenceGrid->setVerticalSpacing(6);
    int row = 0;
    for (const Licence& licence : licences()) {
        auto* component = new ui::Label(licence.component, TextStyle::Callout);
        component->setWordWrap(true); // a longer translation wraps rather than being cut
        licenceGrid->addWidget(component, row, 0);
        // Our own texts, so rich text is safe here; the desktop opens the link, not the label.
        auto* link = new QLabel(
            QStringLiteral("<a href=\"%1\">%2</a>").arg(licence.url, licence.name.toHtmlEscaped()));
        link->setObjectName(QStringLiteral("licenceLink"));
        link->setTextFormat(Qt::RichText);
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        link->setFont(ui::Theme::font(TextStyle::Callout));
        link->setToolTip(licence.url);
        connect(link, &QLabel::linkActivated, this, [&platform](const QString& url) {
            platform.openUrl(QUrl(url, QUrl::StrictMode));
        });
        licenceGrid->addWidget(link, row, 1);
        ++row;
    }
    licenceGrid->setColumnStretch(1, 1);

    auto* close = new ui::Button(tr("Close"), ui::Button::Kind::Prominent);
    close->setObjectName(QStringLiteral("aboutClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 20);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addWidget(what);
    layout->addWidget(new ui::Divider);
    layout->addWidget(new ui::Label(tr("Licences"), TextStyle::Headline));
    layout->addLayout(licenceGrid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(440);
}

QString AboutDialog::version()
{
    return QStringLiteral(ZANDREL_VERSION);
}

QList<AboutDialog::Licence> AboutDialog::licences()
{
    return {
        {QStringLiteral("Zandrel Hub"),
         tr("MIT License"),
         QStringLiteral("https://opensource.org/license/mit")},
        {tr("Tabler Icons (the bundled symbols)"),
         tr("MIT License"),
         QStringLiteral("https://github.com/tabler/tabler-icons/blob/main/LICENSE")},
        {QStringLiteral("Qt 6"),
         tr("GNU LGPL version 3"),
         QStringLiteral("https://www.gnu.org/licenses/lgpl-3.0.html")},
        {QStringLiteral("QCoro"),
         tr("MIT License"),
         QStringLiteral("https://github.com/qcoro/qcoro/blob/main/LICENSES/MIT.txt")},
        {QStringLiteral("simdjson"),
         tr("Apache License 2.0"),
         QStringLiteral("https://www.apache.org/licenses/LICENSE-2.0")},
    };
}

} // namespace zandrel
