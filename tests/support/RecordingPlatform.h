#pragma once

#include "platform/Notifier.h"
#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <optional>

namespace zandrel::test {

// The platform seam for tests: real file operations under the given home, while programs, the desktop
// and the clipboard are only recorded.
class RecordingPlatform : public Platform {
    // First: the public lists below refer into it.
    class RecordingNotifier : public Notifier {
    public:
        void show(Kind kind, const Notice& notice) override
        {
            shown.append(notice.title + u'\n' + notice.body);
            current[kind] = notice;
        }
        void withdraw(Kind kind) override
        {
            withdrawn.append(kind);
            current[kind].reset();
        }
        QStringList shown;
        QList<Kind> withdrawn;
        QMap<Kind, std::optional<Notice>> current;
    };
    RecordingNotifier notifier_;

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

    bool revealFolder(const QString& path) override
    {
        revealedFolders.append(path);
        return true;
    }
    QString clipboardText() const override { return clipboard; }
    Notifier& notifier() override { return notifier_; }
    void withActivationToken(const QString& token, const std::function<void()>& bringForward) override
    {
        activationTokens.append(token);
        bringForward();
    }

    QList<Launch> launches;
    QStringList openedBundles;
    QList<QUrl> openedUrls;
    QStringList revealedFolders;
    QString clipboard;
    // Every notice shown, as "title\nbody", and each kind withdrawn, in order.
    QStringList& notifications = notifier_.shown;
    QList<Notifier::Kind>& withdrawn = notifier_.withdrawn;
    QStringList activationTokens;
    bool launchSucceeds = true;
    QStringList undeletable; // paths removeItem leaves alone, as if they belonged to another user
    bool writesFail = false;
    QStringList missingCommands;
    bool realCommandLookup = false;

    // Simulates the user clicking a notice of this kind (or one of its buttons).
    void clickNotice(Notifier::Kind kind,
                     const QString& action = QLatin1String(Notifier::defaultAction),
                     const QString& token = {})
    {
        Q_EMIT notifier_.activated(kind, action, token);
    }
    const std::optional<Notifier::Notice>& shownNotice(Notifier::Kind kind)
    {
        return notifier_.current[kind];
    }

protected:
    bool launchAppBundle(const QString& bundlePath) override
    {
        openedBundles.append(bundlePath);
        return true;
    }
    bool openWebAddress(const QUrl& url) override
    {
        openedUrls.append(url);
        return true;
    }
};

} // namespace zandrel::test
