#include "RequestGuard.h"

#include <algorithm>

namespace zandrel::hub {

namespace {

QByteArrayView trimmed(QByteArrayView text)
{
    return text.trimmed();
}

bool isDigits(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isUnsafe(const QByteArray& method)
{
    return method == "POST" || method == "PUT" || method == "PATCH" || method == "DELETE";
}

} // namespace

bool RequestGuard::isLocalHost(QByteArrayView value)
{
    const QByteArrayView host = trimmed(value);
    // The name ends where the port begins; a bracketed IPv6 address holds colons of its own.
    qsizetype nameEnd = 0;
    if (host.startsWith('[')) {
        nameEnd = host.indexOf(']');
        if (nameEnd < 0)
            return false;
        ++nameEnd;
    } else {
        nameEnd = host.indexOf(':');
        if (nameEnd < 0)
            nameEnd = host.size();
    }
    const QByteArrayView name = host.first(nameEnd);
    const QByteArrayView rest = host.sliced(nameEnd);
    if (!rest.isEmpty() && (!rest.startsWith(':') || rest.size() > 6 || !isDigits(rest.sliced(1))))
        return false;
    for (const QByteArrayView local :
         {QByteArrayView("127.0.0.1"), QByteArrayView("localhost"), QByteArrayView("[::1]")}) {
        if (name.compare(local, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool RequestGuard::isJson(QByteArrayView contentType)
{
    const qsizetype end = contentType.indexOf(';');
    const QByteArrayView type = trimmed(end < 0 ? contentType : contentType.first(end));
    return type.compare(QByteArrayView("application/json"), Qt::CaseInsensitive) == 0;
}

bool RequestGuard::isApiPath(const Request& request)
{
    // Decoded, as the router matches it: "/%61pi/…" is the API too.
    for (const QString& segment : request.segments) {
        if (!segment.isEmpty())
            return segment == u"api";
    }
    return false;
}

bool RequestGuard::isOwnOrigin(QByteArrayView origin) const
{
    const QByteArray port = QByteArray::number(port_);
    const QByteArrayView value = trimmed(origin);
    return value.compare(QByteArray("http://127.0.0.1:" + port), Qt::CaseInsensitive) == 0 ||
           value.compare(QByteArray("http://localhost:" + port), Qt::CaseInsensitive) == 0;
}

std::optional<Response> RequestGuard::refusal(const Request& request) const
{
    const QList<QByteArray> hosts = request.headerValues("Host");
    if (hosts.size() != 1 || !isLocalHost(hosts.first()))
        return Response::error(421,
                               QStringLiteral("This Hub answers only requests addressed to 127.0.0.1 or "
                                              "localhost"));
    if (!isApiPath(request))
        return std::nullopt;
    const QList<QByteArray> origins = request.headerValues("Origin");
    if (!origins.isEmpty() && (origins.size() > 1 || !isOwnOrigin(origins.first())))
        return Response::error(403, QStringLiteral("Requests from web pages are not accepted"));
    if (isUnsafe(request.method)) {
        const QList<QByteArray> types = request.headerValues("Content-Type");
        if (types.size() != 1 || !isJson(types.first()))
            return Response::error(415, QStringLiteral("Content-Type must be application/json"));
    }
    return std::nullopt;
}

} // namespace zandrel::hub
