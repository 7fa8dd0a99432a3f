#include "platform/Platform.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace zandrel {

namespace {

bool removeTree(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir())
        return QFile::remove(path);
    bool ok = true;
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext())
        ok = removeTree(it.next()) && ok;
    return QDir().rmdir(path) && ok;
}

} // namespace

Platform::Platform(QString homeDirectory)
    : home_(std::move(homeDirectory))
{}

QString Platform::homePath(const QString& relative) const
{
    return home_ + u'/' + relative;
}

QString Platform::appDataPath(const QString& appName) const
{
    return homePath(QStringLiteral(".zandrel/data/") + appName);
}

QString Platform::tokenFilePath() const
{
    return homePath(QStringLiteral(".zandrel/auth.json"));
}

QString Platform::hubLogPath() const
{
    return homePath(QStringLiteral(".zandrel/hub/hub.log"));
}

QByteArray Platform::fileIdentity(const QFileDevice& file) const
{
#ifdef Q_OS_UNIX
    // Of the open file itself: the name may already stand for another.
    struct stat info {};
    if (file.handle() < 0 || ::fstat(file.handle(), &info) != 0)
        return {};
    return QByteArray::number(quint64(info.st_dev)) + ':' + QByteArray::number(quint64(info.st_ino));
#else
    const QFileInfo info(file.fileName());
    return info.exists() ? info.birthTime().toString(Qt::ISODateWithMs).toUtf8() : QByteArray();
#endif
}

bool Platform::exists(const QString& path) const
{
    return QFileInfo::exists(path);
}

bool Platform::removeItem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    return removeTree(path);
}

bool Platform::writeFile(const QString& path,
                         const QByteArray& contents,
                         QFileDevice::Permissions permissions,
                         Parents parents)
{
    if (parents == Parents::Create)
        QDir().mkpath(QFileInfo(path).absolutePath());
    // Where the file system has no unnamed temporary files, Qt names one beside the file, with the
    // umask's permissions for a new file and the old file's for an existing one: a secret's file is
    // first made, or narrowed, owner-only, so no one can open the temporary file meanwhile. A file
    // made here for nothing goes again.
    constexpr QFileDevice::Permissions others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    bool made = false;
    if (!(permissions & others)) {
        if (!QFileInfo::exists(path)) {
            QFile first(path);
            made = first.open(QIODevice::WriteOnly | QIODevice::NewOnly, permissions);
        } else if (QFile::permissions(path) & others) {
            QFile::setPermissions(path, permissions);
        }
    }
    const auto failed = [&] {
        if (made)
            QFile::remove(path);
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    // Set before writing: the temporary file then carries these permissions into place.
    file.setPermissions(permissions);
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return failed();
    }
    return file.commit() || failed();
}

QString Platform::findExecutable(const QString& name) const
{
    return QStandardPaths::findExecutable(name);
}

void Platform::withActivationToken(const QString&, const std::function<void()>& bringForward)
{
    bringForward();
}

bool Platform::isBundleName(const QString& appName)
{
    return !appName.isEmpty() && !appName.startsWith(u'.') && !appName.contains(u'/') &&
           !appName.contains(u'\\') && !appName.contains(QChar(0));
}

bool Platform::openAppBundle(const QString& bundlePath)
{
    const QFileInfo bundle(bundlePath);
    if (bundlePath.isEmpty() || !bundle.isAbsolute() || !bundle.isDir() ||
        !bundle.fileName().endsWith(QLatin1String(".app")) || !isBundleName(bundle.fileName().chopped(4)))
        return false;
    return launchAppBundle(bundle.absoluteFilePath());
}

bool Platform::openUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        return false;
    return openWebAddress(url);
}

bool Platform::isActivationToken(const QString& token)
{
    if (token.isEmpty() || token.size() > maximumActivationTokenLength)
        return false;
    return std::all_of(
        token.cbegin(), token.cend(), [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
}

} // namespace zandrel
