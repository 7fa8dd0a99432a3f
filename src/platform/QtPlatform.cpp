#include "platform/QtPlatform.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#ifndef Q_OS_MACOS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace zandrel {

QtPlatform::QtPlatform(QString homeDirectory)
    : Platform(std::move(homeDirectory))
{}

bool QtPlatform::launchDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool QtPlatform::openAppBundle(const QString& bundlePath)
{
#ifndef Q_OS_MACOS
    // AppDir convention: an executable AppRun at the top of the bundle starts the app.
    const QFileInfo appRun(bundlePath + QStringLiteral("/AppRun"));
    if (appRun.isFile() && appRun.isExecutable())
        return QProcess::startDetached(appRun.absoluteFilePath(), {}, bundlePath);
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(bundlePath));
}

bool QtPlatform::openUrl(const QUrl& url)
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

bool QtPlatform::showNotification(const QString& title, const QString& body)
{
#ifdef Q_OS_MACOS
    Q_UNUSED(title);
    Q_UNUSED(body);
    return false;
#else
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("Notify"));
    // Notification services read the body as markup: an error text with "<" or "&" must stay text.
    call << QCoreApplication::applicationName() << uint(0) << QStringLiteral("zandrel-desktop") << title
         << body.toHtmlEscaped() << QStringList() << QVariantMap() << int(-1);
    // Sent without waiting: a slow or missing notification daemon must not hold up the window.
    return bus.send(call);
#endif
}

} // namespace zandrel
