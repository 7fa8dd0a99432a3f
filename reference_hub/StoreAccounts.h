#pragma once

#include "HubContext.h"
#include "Router.h"
#include "store/StoreAccount.h"

namespace zandrel::hub {

// Store sign-in with the one demo account. A login hands out a bearer token that stays valid
// across restarts of the Hub (the newest fifty are kept).
class StoreAccounts {
public:
    explicit StoreAccounts(HubContext& context);
    void addTo(Router& router);

    // The signed-in user for an Authorization header ("Bearer <token>"), or nothing.
    std::optional<UserProfile> userFor(const QByteArray& authorization) const;

    static const UserProfile& demoUser();
    static constexpr const char* demoPassword = "zandrel";

private:
    Response login(const Request& request);
    Response me(const Request& request) const;
    // The stand-in for the store website's "sign in with <provider>" page: the demo account signs
    // in at once, and the page's button hands the tokens to the application as a zandrel: link.
    Response websiteSignIn(const Request& request);
    StoreSession newSession(const QString& endpoint, const QString& how);

    HubContext& context_;
};

} // namespace zandrel::hub
