#pragma once

#include "HttpTypes.h"

#include <QByteArrayView>
#include <optional>

namespace zandrel::hub {

// What stands between a web page the user merely visits and the Hub. A page can make the browser send
// requests to 127.0.0.1 (a form, a "simple" fetch), or make its own host name answer as 127.0.0.1 (DNS
// rebinding) and then read the answers. So, before any route is looked at:
//   1. the Host must name this machine (127.0.0.1, localhost or [::1]), else 421;
//   2. under /api, a request that carries an Origin other than the Hub's own is refused, 403;
//   3. under /api, a POST, PUT, PATCH or DELETE must be application/json, else 415.
// No answer allows cross-origin reading, so a preflight never succeeds. A refusal never repeats what it
// refused, so it cannot be used to reflect a page's text back to it.
class RequestGuard {
public:
    // The Hub's own origin is http://127.0.0.1:<port> or http://localhost:<port>.
    explicit RequestGuard(quint16 port)
        : port_(port)
    {}

    // The answer that refuses the request, or nothing when it may go on to the router.
    std::optional<Response> refusal(const Request& request) const;

    // A Host header's value names this machine: one of the three names, in any case, with a numeric
    // port or none.
    static bool isLocalHost(QByteArrayView host);
    // A Content-Type header's media type is application/json, in any case, with any parameters.
    static bool isJson(QByteArrayView contentType);
    // The request's path is the API's: its first decoded segment is "api".
    static bool isApiPath(const Request& request);

private:
    bool isOwnOrigin(QByteArrayView origin) const;

    quint16 port_;
};

} // namespace zandrel::hub
