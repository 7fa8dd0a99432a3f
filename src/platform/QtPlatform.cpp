#include "platform/QtPlatform.h"

#include "platform/Notifier.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#ifndef Q_OS_MACOS
#include "platform/DBusNotifier.h"

#include <QDBusConnection>
#endif

namespace zandrel {

QtPlatform::QtPlatform(QString homeDirectory)
    : Platform(std::move(homeDirectory))
{}

QtPlatform::~QtPlatform() = default;

bool QtPlatform::launchDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool QtPlatform::launchAppBundle(const QString& bundlePath)
{
#ifndef Q_OS_MACOS
    // AppDir convention: an executable AppRun at the top of the bundle starts the app.
    const QFileInfo appRun(bundlePath + QStringLiteral("/AppRun"));
    if (appRun.isFile() && appRun.isExecutable())
        return QProcess::startDetached(appRun.absoluteFilePath(), {}, bundlePath);
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(bundlePath));
}

bool QtPlatform::openWebAddress(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool QtPlatform::revealFolder(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString QtPlatform::clipboardText() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

Notifier& QtPlatform::notifier()
{
    // Made on first use, once the application object (and with it the bus) exists.
    if (!notifier_) {
#ifdef Q_OS_MACOS
        notifier_ = std::make_unique<Notifier>();
#else
        notifier_ = std::make_unique<DBusNotifier>(QDBusConnection::sessionBus(),
                                                   QCoreApplication::applicationName(),
                                                   QGuiApplication::desktopFileName());
#endif
    }
    return *notifier_;
}

void QtPlatform::withActivationToken(const QString& token, const std::function<void()>& bringForward)
{
    // Qt's Wayland window presents the token from the environment when it asks to be activated, and
    // takes it out again; elsewhere a token means nothing and must not reach programs started later.
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (wayland && !token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    bringForward();
    qunsetenv("XDG_ACTIVATION_TOKEN");
}

} // namespace zandrel
