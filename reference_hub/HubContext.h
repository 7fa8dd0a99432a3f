#pragma once

#include "AppBundles.h"
#include "Catalogue.h"
#include "HubStore.h"

#include <QDateTime>

namespace zandrel::hub {

// What every group of endpoints works with: the state, the catalogue, the bundles on disk.
struct HubContext {
    HubStore& store;
    const Catalogue& catalogue;
    const AppBundles& bundles;
    quint16 port = 0;

    // Installed apps whose bundle is still on disk, by name. An app whose bundle the user deleted
    // counts as uninstalled everywhere.
    QList<InstalledApp> presentApps() const;
    // A present app by id or name, ignoring case; throws HttpError 404 when there is none.
    InstalledApp presentApp(const QString& idOrName) const;
    // The permissions an app has, or those its catalogue entry asks for when none were stored.
    PermissionSet permissionsOf(const InstalledApp& app) const;
    PermissionSet defaultPermissions(const QString& slug) const;
};

// Times travel as ISO 8601 text in UTC with milliseconds, e.g. 2025-05-20T08:15:00.123Z.
QString isoTime(const QDateTime& time);
QString isoNow();

// Unguessable text for tokens and sign-in states: `bytes` random bytes (a multiple of 4), base64url.
QString randomToken(int bytes);

AuditEntry auditEntry(const QString& app,
                      const QString& action,
                      const QString& endpoint,
                      bool allowed,
                      const QString& actionName,
                      const std::optional<QString>& note = std::nullopt);

} // namespace zandrel::hub
