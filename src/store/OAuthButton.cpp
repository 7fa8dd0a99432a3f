#include "store/OAuthButton.h"

#include "platform/Platform.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QUrl>

namespace zandrel {

OAuthButton::OAuthButton(
    const QString& name, const QString& icon, QString url, Platform& platform, QWidget* parent)
    : ui::Button(name, Kind::Bordered, ControlSize::Regular, parent)
    , url_(std::move(url))
    , platform_(platform)
{
    setObjectName(QStringLiteral("oauth") + name);
    setIcon(ui::SymbolTable::icon(icon));
    setFont(ui::Theme::font(ui::TextStyle::Caption));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setToolTip(tr("Sign in with %1 in your web browser").arg(name));
    connect(this, &QPushButton::clicked, this, &OAuthButton::openInBrowser);
}

void OAuthButton::openInBrowser()
{
    const QUrl address(url_, QUrl::StrictMode);
    if (address.isValid() && !address.scheme().isEmpty() && !address.host().isEmpty()) {
        platform_.openUrl(address);
        Q_EMIT browserOpened();
    }
}

} // namespace zandrel
