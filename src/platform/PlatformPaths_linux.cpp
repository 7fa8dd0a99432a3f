#include "platform/LoginItem.h"
#include "platform/Platform.h"

namespace zandrel {

QString Platform::appBundlePath(const QString& appName) const
{
    if (!isBundleName(appName))
        return {};
    return homePath(QStringLiteral("Applications/") + appName + QStringLiteral(".app"));
}

QString Platform::loginItemPath() const
{
    return homePath(QStringLiteral(".config/autostart/com.zandrel.hub.desktop"));
}

QByteArray Platform::loginItemContents() const
{
    return loginitem::desktopEntry();
}

bool Platform::writeLoginItem()
{
    // ~/.config/autostart is often missing on a fresh account.
    return writeFile(loginItemPath(),
                     loginItemContents(),
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther,
                     Parents::Create);
}

} // namespace zandrel
