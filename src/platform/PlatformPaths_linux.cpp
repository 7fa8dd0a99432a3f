#include "platform/Platform.h"

namespace zandrel {

QString Platform::appBundlePath(const QString& appName) const
{
    return homePath(QStringLiteral("Applications/") + appName + QStringLiteral(".app"));
}

QString Platform::loginItemPath() const
{
    return homePath(QStringLiteral(".config/autostart/com.zandrel.hub.desktop"));
}

QByteArray Platform::loginItemContents() const
{
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Zandrel Hub\n"
                             "Comment=Starts the Zandrel Hub at login\n"
                             "Exec=/usr/bin/env zandrel hub start\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n");
}

} // namespace zandrel
