#pragma once

#include <QByteArray>

namespace zandrel::loginitem {

// The two forms of "start the Hub at login". Both are built on every platform, so both are tested
// everywhere; each platform writes its own.

// An XDG autostart desktop entry (Linux desktops).
QByteArray desktopEntry();
// A launchd agent property list (macOS): ten lines, no line feed after the last.
QByteArray propertyList();

} // namespace zandrel::loginitem
