#pragma once

#include "HubContext.h"
#include "Router.h"

namespace zandrel::hub {

// Liveness, installed apps and their sessions, permissions and the audit log.
class HubEndpoints {
public:
    explicit HubEndpoints(HubContext& context);
    void addTo(Router& router);

    // The permission set a PUT body asks for ("execute" standing in for "actions"); throws HttpError.
    static PermissionSet permissionsBody(const Request& request);

    static constexpr int defaultAuditLimit = 50;
    static constexpr int maxAuditLimit = 1000;

private:
    Response liveness(const Request& request) const;
    Response apps(const Request& request) const;
    Response sessions(const Request& request) const;
    Response permissions(const Request& request) const;
    Response updatePermissions(const Request& request);
    Response audit(const Request& request) const;

    HubContext& context_;
};

} // namespace zandrel::hub
