#pragma once

#include "platform/Platform.h"

#include <QDir>
#include <memory>

namespace zandrel {

// The platform as the running application sees it: programs through QProcess, the desktop through
// QDesktopServices, the clipboard through QGuiApplication, notices over the session bus.
class QtPlatform : public Platform {
public:
    explicit QtPlatform(QString homeDirectory = QDir::homePath());
    ~QtPlatform() override;

    bool launchDetached(const QString& program, const QStringList& arguments) override;
    bool revealFolder(const QString& path) override;
    QString clipboardText() const override;
    Notifier& notifier() override;
    void withActivationToken(const QString& token, const std::function<void()>& bringForward) override;

protected:
    bool launchAppBundle(const QString& bundlePath) override;
    bool openWebAddress(const QUrl& url) override;

private:
    std::unique_ptr<Notifier> notifier_;
};

} // namespace zandrel
