#pragma once

#include <QTcpServer>

namespace zandrel::hub {

// The listening socket of the Hub. The HTTP server reads a whole request into memory before the
// Hub sees it, so a client could exhaust memory with an endless body. This server counts what
// each connection sends while it waits for an answer and drops a connection that sends more
// than maxUnansweredBytes. Smaller oversized bodies still reach the Hub, which answers 413.
class ConnectionGuard : public QTcpServer {
    Q_OBJECT

public:
    using QTcpServer::QTcpServer;

    static constexpr qint64 maxUnansweredBytes = 16 * 1024 * 1024;

protected:
    void incomingConnection(qintptr descriptor) override;
};

} // namespace zandrel::hub
