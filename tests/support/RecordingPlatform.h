#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QStringList>

namespace zandrel::test {

// The platform seam for tests: real file operations under the given home, while programs, the desktop
// and the clipboard are only recorded.
class RecordingPlatform : public Platform {
public:
    struct Launch {
        QString program;
        QStringList arguments;
    };

    explicit RecordingPlatform(QString home)
        : Platform(std::move(home))
    {}

    // File operations are real unless a test makes them fail.
    bool removeItem(const QString& path) override
    {
        return undeletable.contains(path) ? false : Platform::removeItem(path);
    }
    bool writeFile(const QString& path,
                   const QByteArray& contents,
                   QFileDevice::Permissions permissions,
                   Parents parents = Parents::Create) override
    {
        return writesFail ? false : Platform::writeFile(path, contents, permissions, parents);
    }

    // Every command is found, unless the test names it missing or asks for the real PATH lookup.
    QString findExecutable(const QString& name) const override
    {
        if (realCommandLookup)
            return Platform::findExecutable(name);
        return missingCommands.contains(name) ? QString() : QStringLiteral("/usr/bin/") + name;
    }

    bool launchDetached(const QString& program, const QStringList& arguments) override
    {
        launches.append({program, arguments});
        return launchSucceeds;
    }
    bool openAppBundle(const QString& bundlePath) override
    {
        openedBundles.append(bundlePath);
        return true;
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls.append(url);
        return true;
    }
    bool revealFolder(const QString& path) override
    {
        revealedFolders.append(path);
        return true;
    }
    QString clipboardText() const override { return clipboard; }
    bool showNotification(const QString& title, const QString& body) override
    {
        notifications.append(title + u'\n' + body);
        return true;
    }

    QList<Launch> launches;
    QStringList openedBundles;
    QList<QUrl> openedUrls;
    QStringList revealedFolders;
    QString clipboard;
    QStringList notifications; // "title\nbody"
    bool launchSucceeds = true;
    QStringList undeletable; // paths removeItem leaves alone, as if they belonged to another user
    bool writesFail = false;
    QStringList missingCommands;
    bool realCommandLookup = false;
};

} // namespace zandrel::test
