#pragma once

#include "HubContext.h"
#include "Router.h"
#include "StoreAccounts.h"

namespace zandrel::hub {

// The store: catalogue, categories, app details, install and the update check.
class StoreEndpoints {
public:
    StoreEndpoints(HubContext& context, const StoreAccounts& accounts);
    void addTo(Router& router);

    // The catalogue fits on the first page unless a client asks for smaller pages: the
    // application always reads only the first.
    static constexpr int defaultPageSize = 50;
    static constexpr int maxPageSize = 100;

private:
    Response catalogue(const Request& request) const;
    Response categories(const Request& request) const;
    Response detail(const Request& request) const;
    Response install(const Request& request);
    Response checkUpdates(const Request& request) const;

    const CatalogueApp& appFor(const QString& slug) const;

    HubContext& context_;
    const StoreAccounts& accounts_;
};

} // namespace zandrel::hub
