#pragma once

#include "platform/Platform.h"

#include <QDir>

namespace zandrel {

// The platform as the running application sees it: programs through QProcess, the desktop through
// QDesktopServices, the clipboard through QGuiApplication, notifications over the session bus.
class QtPlatform : public Platform {
public:
    explicit QtPlatform(QString homeDirectory = QDir::homePath());

    bool launchDetached(const QString& program, const QStringList& arguments) override;
    bool openAppBundle(const QString& bundlePath) override;
    bool openUrl(const QUrl& url) override;
    bool revealFolder(const QString& path) override;
    QString clipboardText() const override;
    bool showNotification(const QString& title, const QString& body) override;
};

} // namespace zandrel
