#pragma once

#include "hub_api/AIConfig.h"
#include "hub_api/AIModels.h"
#include "hub_api/AITestResult.h"
#include "hub_api/AppInfo.h"
#include "hub_api/AuditEntry.h"
#include "hub_api/HubProbe.h"
#include "hub_api/PermissionSet.h"
#include "hub_api/ProviderAuth.h"
#include "hub_api/SessionEntry.h"
#include "hub_api/Usage.h"

#include <QUrl>
#include <qcoro/qcorotask.h>

namespace zandrel {

// Stateless client of the Hub's HTTP API on 127.0.0.1:<port>/api. Cheap to build; callers make one per
// operation. Every operation reads the client's members only before its first suspension, so a task
// may outlive the client that started it. Failures are thrown (TransportError, DecodeError,
// BadServerResponseError, InvalidRequestError); only isRunning() never fails.
class HubAPIClient {
public:
    explicit HubAPIClient(int port);

    const QUrl& baseURL() const { return baseURL_; }

    QCoro::Task<bool> isRunning() const;
    // The same request, telling why the Hub is not running. Never fails.
    QCoro::Task<HubProbe> probe() const;
    QCoro::Task<QList<AppInfo>> getApps() const;
    QCoro::Task<QList<SessionEntry>> getSessions(QString app) const;
    QCoro::Task<AIConfig> getAIConfig() const;
    QCoro::Task<> updateAIConfig(AIConfig config) const;
    QCoro::Task<AIModelsResponse> getAIModels() const;
    QCoro::Task<AITestResult>
    testProvider(QString provider, std::optional<QString> apiKey, std::optional<QString> baseUrl) const;
    QCoro::Task<UsageResponse> getAIUsage() const;
    QCoro::Task<PermissionMap> getPermissions() const;
    QCoro::Task<> updatePermissions(QString app, PermissionSet perms) const;
    QCoro::Task<QList<AuditEntry>> getAuditLog(int limit) const;
    QCoro::Task<OAuthStartResponse> startOAuth(QString provider) const;
    QCoro::Task<OAuthCallbackResponse> completeOAuth(QString provider, QString code, QString state) const;
    QCoro::Task<QList<AuthStatusEntry>> getAuthStatus() const;
    QCoro::Task<> signOut(QString provider) const;

    // One path segment for an app name: everything outside the unreserved characters is
    // percent-encoded, "/" included, so a name can never reach another endpoint.
    static QString pathSegment(const QString& name);

private:
    // baseURL + "/" + an already encoded path.
    QUrl endpoint(const QString& encodedPath) const;

    int port_;
    QUrl baseURL_;
};

} // namespace zandrel
