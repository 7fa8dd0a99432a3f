#include "platform/Platform.h"

namespace zandrel {

QString Platform::appBundlePath(const QString& appName) const
{
    return QStringLiteral("/Applications/") + appName + QStringLiteral(".app");
}

QString Platform::loginItemPath() const
{
    return homePath(QStringLiteral("Library/LaunchAgents/com.zandrel.hub.plist"));
}

QByteArray Platform::loginItemContents() const
{
    // Ten lines, no line feed after the last.
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

} // namespace zandrel
