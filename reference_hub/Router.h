#pragma once

#include "HttpTypes.h"

#include <functional>

namespace zandrel::hub {

// Maps a method and a path to a handler. Patterns are paths whose segments are either literal or a
// capture written "{name}" ("/api/apps/{app}/sessions"); captures reach the handler as
// Request::params, percent-decoded. Where several patterns match, the one with the most literal
// segments wins, so "/api/store/apps/categories" beats "/api/store/apps/{slug}".
class Router {
public:
    using Handler = std::function<Response(const Request&)>;

    void add(const QByteArray& method, const QString& pattern, Handler handler);

    // Answers 404 when no pattern matches the path, 405 (with an Allow header) when patterns match
    // but none for this method. A trailing slash is ignored.
    Response dispatch(Request request) const;

private:
    struct Route {
        QByteArray method;
        QStringList segments;
        int literalCount = 0;
        Handler handler;
    };

    static bool matches(const Route& route, const QStringList& segments, QStringList* params);

    QList<Route> routes_;
};

} // namespace zandrel::hub
