#include "app/SingleInstance.h"

#include "platform/Platform.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

namespace zandrel {

namespace {

constexpr int kWaitMs = 2000;
// A hand-over is a few links; anything larger is not ours.
constexpr qsizetype kMaxMessage = 64 * 1024;
// The line that carries the activation token; a link never starts with it.
constexpr QByteArrayView kTokenLine = "activation-token ";

} // namespace

SingleInstance::SingleInstance(const QString& homeDirectory, QObject* parent)
    : QObject(parent)
    , name_(serverName(homeDirectory))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

QString SingleInstance::serverName(const QString& homeDirectory)
{
    // The runtime folder belongs to the user alone, so no one else can stand in for the running
    // instance and receive its sign-in links. Without one there is no name: a shared folder would let
    // another user listen first.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return {};
    const QByteArray home = QDir::cleanPath(homeDirectory).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(home, QCryptographicHash::Sha256).toHex().left(16);
    return folder + QStringLiteral("/zandrel-desktop-") + QString::fromLatin1(digest);
}

SingleInstance::Role SingleInstance::claim(const QStringList& links, const QString& activationToken)
{
    if (name_.isEmpty())
        return Role::Alone;
    QLockFile lock(name_ + QStringLiteral(".lock"));
    // A lock that cannot be had (an unwritable folder, a launch hung for seconds) does not keep the
    // application from starting; it only loses the protection against a simultaneous launch.
    const bool locked = lock.tryLock(5000);
    Q_UNUSED(locked);
    if (forwardToRunningInstance(links, activationToken))
        return Role::Forwarded;
    return listen() ? Role::Primary : Role::Alone;
}

bool SingleInstance::forwardToRunningInstance(const QStringList& links, const QString& activationToken)
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    QByteArray message;
    if (Platform::isActivationToken(activationToken))
        message += kTokenLine.toByteArray() + activationToken.toLatin1() + '\n';
    for (const QString& link : links) {
        const QByteArray line = link.toUtf8();
        if (!line.contains('\n') && !line.startsWith(kTokenLine))
            message += line + '\n';
    }
    socket.write(message);
    socket.flush();
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kWaitMs)) {
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWaitMs);
    return true;
}

bool SingleInstance::listen()
{
    if (server_.listen(name_))
        return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(kWaitMs))
        return false; // another instance won the race; it keeps the links it is sent
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void SingleInstance::accept()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
            *received += socket->readAll();
            if (received->size() > kMaxMessage)
                socket->abort();
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, received] {
            *received += socket->readAll();
            socket->deleteLater();
            if (received->size() > kMaxMessage)
                return;
            QStringList links;
            QString token;
            for (const QByteArray& line : received->split('\n')) {
                if (line.startsWith(kTokenLine)) {
                    const QString candidate = QString::fromUtf8(line.mid(kTokenLine.size()));
                    if (Platform::isActivationToken(candidate))
                        token = candidate;
                } else if (!line.isEmpty()) {
                    links.append(QString::fromUtf8(line));
                }
            }
            Q_EMIT linksReceived(links, token);
        });
    }
}

} // namespace zandrel
