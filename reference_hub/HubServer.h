#pragma once

#include "CommandLine.h"
#include "Router.h"

#include <QHttpServer>
#include <QObject>

namespace zandrel::hub {

class ConnectionGuard;

// The HTTP side of the Hub: listens on 127.0.0.1, turns each request into a Request for the
// router, refuses what a web page sends (RequestGuard), applies the test switches (--fail,
// --delay-ms), refuses oversized bodies, turns every exception into a JSON error answer, and logs
// one line per request on standard error.
class HubServer : public QObject {
    Q_OBJECT

public:
    HubServer(const Router& router, ServeOptions options, QObject* parent = nullptr);

    // Answers false, with the reason in `error`, when the port cannot be bound.
    bool listen(QString* error);
    quint16 port() const;

    static constexpr qsizetype maxBodyBytes = 1024 * 1024;

private:
    // What the Hub answers to a request, before any delay. Never throws.
    Response answer(const Request& request) const;
    void handle(const QHttpServerRequest& request, QHttpServerResponder&& responder);

    const Router& router_;
    ServeOptions options_;
    QHttpServer http_;
    ConnectionGuard* tcp_ = nullptr;
};

} // namespace zandrel::hub
