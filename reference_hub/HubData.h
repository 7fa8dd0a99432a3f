#pragma once

// Everything the Hub keeps between runs, as records of the same codec the application uses, so the
// state file is read as strictly as any answer: a member of the wrong type rejects the whole file.

#include "hub_api/AIConfig.h"
#include "hub_api/AppInfo.h"
#include "hub_api/AuditEntry.h"
#include "hub_api/PermissionSet.h"

namespace zandrel::hub {

using wire::field;

// An app the Hub installed from the store. `info.id` is the store slug.
struct InstalledApp {
    AppInfo info;
    QString bundlePath;
    QString installedAt;
    QString updatedAt;

    static constexpr auto jsonFields()
    {
        return std::tuple{field("info", &InstalledApp::info),
                          field("bundlePath", &InstalledApp::bundlePath),
                          field("installedAt", &InstalledApp::installedAt),
                          field("updatedAt", &InstalledApp::updatedAt)};
    }
};

// A completed browser sign-in with an AI provider.
struct ProviderSignIn {
    QString provider;
    QString email;
    QString expiresAt;
    QString tokenType;

    static constexpr auto jsonFields()
    {
        return std::tuple{field("provider", &ProviderSignIn::provider),
                          field("email", &ProviderSignIn::email),
                          field("expiresAt", &ProviderSignIn::expiresAt),
                          field("tokenType", &ProviderSignIn::tokenType)};
    }
};

// A store sign-in the Hub handed out; the access token is what the application sends as bearer.
struct StoreSession {
    QString accessToken;
    QString refreshToken;
    QString userId;
    QString createdAt;

    static constexpr auto jsonFields()
    {
        return std::tuple{field("accessToken", &StoreSession::accessToken),
                          field("refreshToken", &StoreSession::refreshToken),
                          field("userId", &StoreSession::userId),
                          field("createdAt", &StoreSession::createdAt)};
    }
};

struct HubData {
    static constexpr qint64 currentFormat = 1;

    qint64 format = currentFormat;
    QList<InstalledApp> installed;
    AIConfig ai;
    PermissionMap permissions; // by app name
    QList<AuditEntry> audit;   // oldest first
    QList<ProviderSignIn> signIns;
    QList<StoreSession> storeSessions;

    static constexpr auto jsonFields()
    {
        return std::tuple{field("format", &HubData::format),
                          field("installed", &HubData::installed),
                          field("ai", &HubData::ai),
                          field("permissions", &HubData::permissions),
                          field("audit", &HubData::audit),
                          field("signIns", &HubData::signIns),
                          field("storeSessions", &HubData::storeSessions)};
    }

    // Lookups ignore case, as app names arrive typed or percent-decoded from paths.
    InstalledApp* findInstalled(const QString& idOrName);
    const InstalledApp* findInstalled(const QString& idOrName) const;

    // The provider's browser sign-in unless it has expired by `now` (an ISO time).
    const ProviderSignIn* activeSignIn(const QString& provider, const QString& now) const;

    // Appends to the audit log, dropping the oldest entries beyond the cap.
    void audited(AuditEntry entry);
    static constexpr qsizetype maxAuditEntries = 1000;
    static constexpr qsizetype maxStoreSessions = 50;
};

} // namespace zandrel::hub
