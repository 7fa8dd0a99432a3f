#include "platform/QtPlatform.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

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

} // namespace zandrel
