#include "platform/LoginItem.h"

namespace zandrel::loginitem {

QByteArray desktopEntry()
{
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Zandrel Hub\n"
                             "Comment=Starts the Zandrel Hub at login\n"
                             "Exec=/usr/bin/env zandrel hub start\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n");
}

QByteArray propertyList()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n"
        "<dict>\n"
        "    <key>Label</key><string>com.zandrel.hub</string>\n"
        "    <key>ProgramArguments</key>\n"
        "    <array><string>/usr/bin/env</string><string>zandrel</string><string>hub</string>"
        "<string>start</string></array>\n"
        "    <key>RunAtLoad</key><true/>\n"
        "</dict>\n"
        "</plist>");
}

} // namespace zandrel::loginitem
