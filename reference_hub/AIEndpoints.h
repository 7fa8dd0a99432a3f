#pragma once

#include "HubContext.h"
#include "Router.h"

namespace zandrel::hub {

// The AI configuration, the models it makes available, provider connection tests and usage.
class AIEndpoints {
public:
    explicit AIEndpoints(HubContext& context);
    void addTo(Router& router);

    // The configuration a PUT body carries; throws HttpError for one that is not valid or sets nothing.
    static AIConfig configBody(const Request& request);

private:
    Response config(const Request& request) const;
    Response updateConfig(const Request& request);
    Response models(const Request& request) const;
    Response test(const Request& request);
    Response usage(const Request& request) const;

    HubContext& context_;
};

} // namespace zandrel::hub
