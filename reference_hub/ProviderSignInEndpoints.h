#pragma once

#include "HubContext.h"
#include "Router.h"

#include <QMap>

namespace zandrel::hub {

// Browser sign-in with an AI provider. `start` answers the address to open and an opaque state;
// the address is a page of this Hub that plays the provider's consent screen and shows a code for
// the user to paste back; `callback` completes the sign-in for that state with any non-empty code.
// Pending sign-ins live in memory for ten minutes and are used once.
class ProviderSignInEndpoints {
public:
    explicit ProviderSignInEndpoints(HubContext& context);
    void addTo(Router& router);

    static constexpr int pendingMinutes = 10;
    static constexpr int signInDays = 30;

private:
    struct Pending {
        QString provider;
        QString code;
        QDateTime expires;
    };

    Response start(const Request& request);
    Response callback(const Request& request);
    Response status(const Request& request) const;
    Response signOut(const Request& request);
    Response consentPage(const Request& request) const;
    void dropExpired();

    HubContext& context_;
    QMap<QString, Pending> pending_; // by state
};

} // namespace zandrel::hub
