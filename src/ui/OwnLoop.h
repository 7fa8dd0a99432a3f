#pragma once

namespace zandrel::ui {

// Held while a view runs a dialog that may bring its own event loop, whether Qt's or the desktop's
// (a GTK file chooser runs GLib's, which Qt's loop level does not count). Whatever would switch pages
// waits until none is held: the page may own the dialog.
class OwnLoop {
public:
    OwnLoop() { ++held_; }
    ~OwnLoop() { --held_; }
    OwnLoop(const OwnLoop&) = delete;
    OwnLoop& operator=(const OwnLoop&) = delete;

    static bool isHeld() { return held_ > 0; }

private:
    static inline int held_ = 0;
};

} // namespace zandrel::ui
