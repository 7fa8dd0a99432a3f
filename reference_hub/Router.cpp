#include "Router.h"

#include <algorithm>

namespace zandrel::hub {

namespace {

bool isCapture(const QString& segment)
{
    return segment.size() > 2 && segment.startsWith(u'{') && segment.endsWith(u'}');
}

QStringList withoutEmptyEnds(QStringList segments)
{
    // "/api/apps/" splits into "", "api", "apps", "": only the inner segments count.
    if (!segments.isEmpty() && segments.first().isEmpty())
        segments.removeFirst();
    if (!segments.isEmpty() && segments.last().isEmpty())
        segments.removeLast();
    return segments;
}

} // namespace

void Router::add(const QByteArray& method, const QString& pattern, Handler handler)
{
    Route route{method, withoutEmptyEnds(pattern.split(u'/')), 0, std::move(handler)};
    for (const QString& segment : route.segments)
        route.literalCount += isCapture(segment) ? 0 : 1;
    routes_.append(std::move(route));
}

bool Router::matches(const Route& route, const QStringList& segments, QStringList* params)
{
    if (route.segments.size() != segments.size())
        return false;
    QStringList captured;
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString& expected = route.segments.at(i);
        if (isCapture(expected)) {
            if (segments.at(i).isEmpty())
                return false;
            captured.append(segments.at(i));
        } else if (expected != segments.at(i)) {
            return false;
        }
    }
    *params = std::move(captured);
    return true;
}

Response Router::dispatch(Request request) const
{
    const QStringList segments = withoutEmptyEnds(request.segments);
    const Route* best = nullptr;
    QStringList bestParams;
    QList<QByteArray> allowed;
    for (const Route& route : routes_) {
        QStringList params;
        if (!matches(route, segments, &params))
            continue;
        if (!allowed.contains(route.method))
            allowed.append(route.method);
        if (route.method == request.method && (!best || route.literalCount > best->literalCount)) {
            best = &route;
            bestParams = std::move(params);
        }
    }

    if (!best && allowed.isEmpty())
        return Response::error(404, QStringLiteral("There is no endpoint %1").arg(request.path));
    if (!best) {
        std::sort(allowed.begin(), allowed.end());
        const QByteArray allow = allowed.join(", ");
        Response response = Response::error(
            405,
            QStringLiteral("%1 does not accept %2; it accepts %3")
                .arg(request.path, QString::fromLatin1(request.method), QString::fromLatin1(allow)));
        response.headers.append({"Allow", allow});
        return response;
    }
    request.params = std::move(bestParams);
    return best->handler(request);
}

} // namespace zandrel::hub
