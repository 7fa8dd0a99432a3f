#include "platform/LoginItem.h"
#include "platform/Platform.h"

namespace zandrel {

QString Platform::appBundlePath(const QString& appName) const
{
    if (!isBundleName(appName))
        return {};
    return QStringLiteral("/Applications/") + appName + QStringLiteral(".app");
}

QString Platform::loginItemPath() const
{
    return homePath(QStringLiteral("Library/LaunchAgents/com.zandrel.hub.plist"));
}

QByteArray Platform::loginItemContents() const
{
    return loginitem::propertyList();
}

bool Platform::writeLoginItem()
{
    // The LaunchAgents folder is the system's; it is not created here.
    return writeFile(loginItemPath(),
                     loginItemContents(),
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther,
                     Parents::MustExist);
}

} // namespace zandrel
