#pragma once

#include <QByteArray>
#include <QList>
#include <QUrl>
#include <chrono>
#include <optional>
#include <qcoro/qcorotask.h>
#include <utility>

class QNetworkAccessManager;

namespace zandrel {

struct HttpRequest {
    QByteArray method = "GET";
    QUrl url;
    QList<std::pair<QByteArray, QByteArray>> headers;
    std::optional<QByteArray> body;
};

struct HttpResponse {
    int status = 0; // 0 when the answer was not an HTTP response
    QByteArray body;
};

// Sends requests through the process's one network manager and awaits them.
class HttpExchange {
public:
    // Answers larger than this are cut off and reported as a bad server response.
    static constexpr qint64 maxBodyBytes = 32 * 1024 * 1024;

    // Any answer with a status counts as a response, whatever the status; it is the caller's to judge.
    // Throws TransportError when no answer arrived (refused, reset, no answer within the time-out),
    // BadServerResponseError when the answer is larger than maxBodyBytes.
    static QCoro::Task<HttpResponse> send(HttpRequest request);

    // At quit: ends every exchange in flight (each throws ShutdownError to its waiting coroutine, which
    // then finishes) and refuses new ones, so nothing is left suspended when the process ends.
    static void shutDown();
    static bool isShutDown();

    // The one manager, kept until the process ends (see the definition for why).
    static QNetworkAccessManager& networkManager();

    // 60 seconds unless a test shortens it.
    static std::chrono::milliseconds timeout();
    static void setTimeout(std::chrono::milliseconds timeout);
};

} // namespace zandrel
