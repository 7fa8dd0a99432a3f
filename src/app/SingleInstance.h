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

    // Hands the links to a running instance. False when none answers: this process is the first.
    bool forwardToRunningInstance(const QStringList& links);
    // Starts accepting hand-overs; a socket left behind by a crashed instance is replaced.
    bool listen();

Q_SIGNALS:
    // A later launch handed over these links (possibly none: it was started without any).
    void linksReceived(const QStringList& links);

private:
    void accept();

    QString name_;
    QLocalServer server_;
};

} // namespace zandrel
