#include "wire/HttpExchange.h"

#include "wire/Error.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <qcoro/qcoronetworkreply.h>

namespace zandrel {

namespace {

std::chrono::milliseconds g_timeout{60000};
bool g_shutDown = false;

struct DeleteLater {
    void operator()(QObject* object) const { object->deleteLater(); }
};

QString hostText(const QUrl& url)
{
    return url.host() + u':' + QString::number(url.port(80));
}

QString transportFailure(const QNetworkReply& reply, const QUrl& url)
{
    const QString where = hostText(url);
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QCoreApplication::translate("HttpExchange",
                                           "Could not reach the Hub at %1: connection refused")
            .arg(where);
    case QNetworkReply::RemoteHostClosedError:
        return QCoreApplication::translate("HttpExchange",
                                           "The Hub at %1 closed the connection before answering")
            .arg(where);
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate("HttpExchange", "Could not reach the Hub at %1: host not found")
            .arg(where);
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // the transfer time-out aborts the reply
    {
        const qint64 seconds = std::chrono::duration_cast<std::chrono::seconds>(g_timeout).count();
        return QCoreApplication::translate(
                   "HttpExchange", "The Hub at %1 did not answer within %2 second(s)", nullptr, int(seconds))
            .arg(where)
            .arg(seconds);
    }
    default:
        return QCoreApplication::translate("HttpExchange", "Could not reach the Hub at %1: %2")
            .arg(where, reply.errorString());
    }
}

TransportError::Kind transportKind(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return TransportError::Kind::Refused;
    case QNetworkReply::RemoteHostClosedError:
        return TransportError::Kind::ClosedEarly;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return TransportError::Kind::TimedOut;
    default:
        return TransportError::Kind::Other;
    }
}

bool isTransportError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

} // namespace

QNetworkAccessManager& HttpExchange::networkManager()
{
    // Kept for the whole process, never destroyed: destroying it quits Qt's network thread at once,
    // dropping the work already queued to it (such as the clean-up of replies just deleted), and what
    // that work would free is lost. Left running, the thread finishes its queue in its own time; the
    // process's end stops it wherever it is, which for a loopback client idle at quit is harmless.
    static QNetworkAccessManager* const manager = [] {
        auto* created = new QNetworkAccessManager;
        // The Hub is always on the loopback address: a system proxy must never see its traffic.
        created->setProxy(QNetworkProxy::NoProxy);
        return created;
    }();
    return *manager;
}

bool HttpExchange::isShutDown()
{
    return g_shutDown;
}

void HttpExchange::shutDown()
{
    if (g_shutDown)
        return;
    g_shutDown = true;
    QNetworkAccessManager& manager = networkManager();
    QList<QPointer<QNetworkReply>> replies;
    for (QNetworkReply* reply : manager.findChildren<QNetworkReply*>())
        replies.append(reply);
    // abort() finishes the reply at once: each waiting exchange resumes here and ends. Qt's network
    // thread, which lives on with the manager, then handles the aborts in its own time.
    for (const QPointer<QNetworkReply>& reply : replies) {
        if (reply && reply->isRunning())
            reply->abort();
    }
}

std::chrono::milliseconds HttpExchange::timeout()
{
    return g_timeout;
}

void HttpExchange::setTimeout(std::chrono::milliseconds timeout)
{
    g_timeout = timeout;
}

QCoro::Task<HttpResponse> HttpExchange::send(HttpRequest request)
{
    if (g_shutDown)
        throw ShutdownError(QCoreApplication::translate("HttpExchange", "The application is quitting"));
    QNetworkRequest networkRequest(request.url);
    networkRequest.setTransferTimeout(static_cast<int>(g_timeout.count()));
    // A redirect could carry the bearer token to another host; a 3xx is reported as it is.
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                QNetworkRequest::ManualRedirectPolicy);
    for (const auto& [name, value] : request.headers) {
        // Qt sends a header as it is given: a line break in a token would start a header of its own.
        if (value.contains('\r') || value.contains('\n') || value.contains('\0'))
            throw InvalidRequestError(
                QCoreApplication::translate("HttpExchange",
                                            "The request was not sent: its %1 header holds a line break")
                    .arg(QString::fromLatin1(name)));
        networkRequest.setRawHeader(name, value);
    }

    QNetworkAccessManager& manager = networkManager();
    std::unique_ptr<QNetworkReply, DeleteLater> reply(
        request.body ? manager.sendCustomRequest(networkRequest, request.method, *request.body)
                     : manager.sendCustomRequest(networkRequest, request.method));

    bool tooLarge = false;
    QNetworkReply* raw = reply.get();
    // The transfer time-out starts again with every byte: a Hub that sends one now and then is cut off
    // once the whole exchange has taken as long, and reads as one that did not answer.
    QTimer::singleShot(g_timeout, raw, [raw] {
        if (raw->isRunning())
            raw->abort();
    });
    const QMetaObject::Connection guard = QObject::connect(
        raw, &QNetworkReply::downloadProgress, raw, [raw, &tooLarge](qint64 received, qint64 total) {
            if (received > maxBodyBytes || total > maxBodyBytes) {
                tooLarge = true;
                raw->abort();
            }
        });

    co_await raw;
    QObject::disconnect(guard);
    if (g_shutDown && raw->error() == QNetworkReply::OperationCanceledError)
        throw ShutdownError(QCoreApplication::translate("HttpExchange", "The application is quitting"));

    if (tooLarge)
        throw BadServerResponseError(
            QCoreApplication::translate("HttpExchange", "The Hub at %1 sent an answer larger than %2 MB")
                .arg(hostText(request.url))
                .arg(maxBodyBytes >> 20));
    if (isTransportError(raw->error()))
        throw TransportError(transportFailure(*raw, request.url), transportKind(raw->error()));

    HttpResponse response;
    const QVariant status = raw->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    response.status = status.isValid() ? status.toInt() : 0;
    response.body = raw->readAll();
    co_return response;
}

} // namespace zandrel
