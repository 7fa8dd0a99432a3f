#pragma once

#include <QLocalServer>
#include <QStringList>

namespace zandrel {

// Keeps the application to one instance per user (per home folder, so a test with its own HOME never
// meets the user's window). The first instance listens on a local socket in the user's runtime folder;
// a later launch hands its command-line links over that socket and exits.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& homeDirectory, QObject* parent = nullptr);

    static QString serverName(const QString& homeDirectory);

    enum class Role {
        Primary,   // this process listens: it is the instance, later launches hand it their links
        Forwarded, // another instance runs and took the links: this process should exit
        Alone,     // no instance answers and this one cannot listen (no usable runtime folder)
    };
    // Decides this launch's role. Launches that race each other take turns (a lock file beside the
    // socket), so exactly one of them becomes the instance and the others hand it their links.
    // The activation token, when the desktop started this launch with one, goes along: on Wayland only
    // a window that presents it may come forward.
    Role claim(const QStringList& links, const QString& activationToken = {});

    // Hands the links to a running instance. False when none answers: this process is the first.
    bool forwardToRunningInstance(const QStringList& links, const QString& activationToken = {});
    // Starts accepting hand-overs; a socket left behind by a crashed instance is replaced. Call it
    // through claim(), which keeps a racing launch from replacing a socket that has just come alive.
    bool listen();

Q_SIGNALS:
    // A later launch handed over these links (possibly none: it was started without any), and the
    // token it was started with (empty without one).
    void linksReceived(const QStringList& links, const QString& activationToken);

private:
    void accept();

    QString name_;
    QLocalServer server_;
};

} // namespace zandrel
