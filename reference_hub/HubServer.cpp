#include "HubServer.h"

#include "ConnectionGuard.h"
#include "RequestGuard.h"

#include <QElapsedTimer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace zandrel::hub {

namespace {

QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Put:
        return "PUT";
    case QHttpServerRequest::Method::Delete:
        return "DELETE";
    case QHttpServerRequest::Method::Post:
        return "POST";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    case QHttpServerRequest::Method::Options:
        return "OPTIONS";
    case QHttpServerRequest::Method::Patch:
        return "PATCH";
    case QHttpServerRequest::Method::Connect:
        return "CONNECT";
    case QHttpServerRequest::Method::Trace:
        return "TRACE";
    default:
        return "UNKNOWN";
    }
}

Request toRequest(const QHttpServerRequest& in)
{
    Request request;
    request.method = methodName(in.method());
    request.path = in.url().path(QUrl::FullyEncoded);
    for (const QString& segment : request.path.split(u'/'))
        request.segments.append(QUrl::fromPercentEncoding(segment.toUtf8()));
    request.query = in.query();
    request.body = in.body();
    request.authorization = in.value("Authorization");
    for (const auto& [name, value] : in.headers())
        request.headers.append({name, value});
    return request;
}

void logLine(const QByteArray& method, const QString& path, int status, qint64 ms)
{
    std::fprintf(stderr,
                 "%s %s %d %lld ms\n",
                 method.constData(),
                 path.toUtf8().constData(),
                 status,
                 static_cast<long long>(ms));
    std::fflush(stderr);
}

void write(QHttpServerResponder& responder, const Response& response)
{
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
    responder.writeHeader("Content-Type", response.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
    for (const auto& [name, value] : response.headers)
        responder.writeHeader(name, value);
    responder.writeBody(response.body);
}

QString mebibytes(qsizetype bytes)
{
    return QString::number(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MiB");
}

} // namespace

HubServer::HubServer(const Router& router, ServeOptions options, QObject* parent)
    : QObject(parent)
    , router_(router)
    , options_(std::move(options))
{
    http_.setMissingHandler([this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        handle(request, std::move(responder));
    });
}

bool HubServer::listen(QString* error)
{
    auto* tcp = new ConnectionGuard(&http_);
    if (!tcp->listen(QHostAddress::LocalHost, options_.port)) {
        *error =
            QStringLiteral("Cannot listen on 127.0.0.1:%1: %2").arg(options_.port).arg(tcp->errorString());
        delete tcp;
        return false;
    }
    http_.bind(tcp);
    tcp_ = tcp;
    return true;
}

quint16 HubServer::port() const
{
    return tcp_ ? tcp_->serverPort() : 0;
}

Response HubServer::answer(const Request& request) const
{
    // What a web page sends is refused before anything else looks at it.
    if (std::optional<Response> refused = RequestGuard(port()).refusal(request))
        return *refused;
    // The longest matching prefix wins, so a narrow rule can override a broad one.
    const FailRule* fail = nullptr;
    for (const FailRule& rule : options_.failRules) {
        if (request.path.startsWith(rule.pathPrefix) &&
            (!fail || rule.pathPrefix.size() > fail->pathPrefix.size()))
            fail = &rule;
    }
    if (fail)
        return Response::error(
            fail->status,
            QStringLiteral("Failure injected by --fail %1=%2").arg(fail->pathPrefix).arg(fail->status));
    if (request.body.size() > maxBodyBytes)
        return Response::error(413,
                               QStringLiteral("The request body is %1; the Hub accepts at most %2")
                                   .arg(mebibytes(request.body.size()), mebibytes(maxBodyBytes)));
    try {
        return router_.dispatch(request);
    } catch (const HttpError& e) {
        return Response::error(e.status(), e.message());
    } catch (const std::exception& e) {
        return Response::error(500, QStringLiteral("The Hub failed: ") + QString::fromUtf8(e.what()));
    } catch (...) {
        return Response::error(500, QStringLiteral("The Hub failed for an unknown reason"));
    }
}

void HubServer::handle(const QHttpServerRequest& in, QHttpServerResponder&& responder)
{
    QElapsedTimer timer;
    timer.start();
    const Request request = toRequest(in);
    const Response response = answer(request);

    if (options_.delayMs <= 0) {
        write(responder, response);
        logLine(request.method, request.path, response.status, timer.elapsed());
        return;
    }
    // The responder writes to the connection's socket, which the HTTP server deletes when the
    // client goes away meanwhile: keep watch on it and answer only if it is still there.
    auto kept = std::make_shared<QHttpServerResponder>(std::move(responder));
    QPointer<QTcpSocket> socket = kept->socket();
    QTimer::singleShot(
        options_.delayMs,
        this,
        [kept, socket, response, timer, method = request.method, path = request.path] {
            if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
                logLine(method, path + QStringLiteral(" (client gone)"), response.status, timer.elapsed());
                return;
            }
            write(*kept, response);
            logLine(method, path, response.status, timer.elapsed());
        });
}

} // namespace zandrel::hub
