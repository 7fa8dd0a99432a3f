#include "ConnectionGuard.h"

#include <QTcpSocket>
#include <memory>

namespace zandrel::hub {

void ConnectionGuard::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    // Connected before the HTTP server connects its own reader, so this runs first on every
    // arrival and sees the bytes the reader has not consumed yet.
    auto unanswered = std::make_shared<qint64>(0);
    connect(socket, &QIODevice::readyRead, socket, [socket, unanswered] {
        *unanswered += socket->bytesAvailable();
        if (*unanswered <= maxUnansweredBytes)
            return;
        qWarning("Dropped a connection that sent more than %lld bytes without waiting for an answer",
                 static_cast<long long>(maxUnansweredBytes));
        // Keep the HTTP server from parsing what is left, then close; the server deletes the socket
        // once it is disconnected.
        disconnect(socket, &QIODevice::readyRead, nullptr, nullptr);
        socket->abort();
    });
    connect(socket, &QIODevice::bytesWritten, socket, [unanswered] { *unanswered = 0; });
    addPendingConnection(socket);
}

} // namespace zandrel::hub
