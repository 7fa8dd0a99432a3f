#include "HubContext.h"

#include "HttpTypes.h"

#include <QRandomGenerator>

namespace zandrel::hub {

QList<InstalledApp> HubContext::presentApps() const
{
    QList<InstalledApp> apps;
    for (const InstalledApp& app : store.data().installed) {
        if (AppBundles::isPresent(app.bundlePath))
            apps.append(app);
    }
    std::sort(apps.begin(), apps.end(), [](const InstalledApp& a, const InstalledApp& b) {
        return a.info.name.compare(b.info.name, Qt::CaseInsensitive) < 0;
    });
    return apps;
}

InstalledApp HubContext::presentApp(const QString& idOrName) const
{
    const InstalledApp* app = store.data().findInstalled(idOrName);
    if (!app || !AppBundles::isPresent(app->bundlePath))
        throw HttpError(404, QStringLiteral("No app named \"%1\" is installed").arg(idOrName));
    return *app;
}

PermissionSet HubContext::permissionsOf(const InstalledApp& app) const
{
    const auto stored = store.data().permissions.constFind(app.info.name);
    return stored != store.data().permissions.constEnd() ? *stored : defaultPermissions(app.info.id);
}

PermissionSet HubContext::defaultPermissions(const QString& slug) const
{
    const CatalogueApp* entry = catalogue.find(slug);
    return entry ? Catalogue::requestedPermissions(*entry) : PermissionSet{false, false, false};
}

QString isoTime(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QString isoNow()
{
    return isoTime(QDateTime::currentDateTimeUtc());
}

QString randomToken(int bytes)
{
    QByteArray raw(bytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(raw.data()), bytes / 4);
    return QString::fromLatin1(raw.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

AuditEntry auditEntry(const QString& app,
                      const QString& action,
                      const QString& endpoint,
                      bool allowed,
                      const QString& actionName,
                      const std::optional<QString>& note)
{
    return AuditEntry{isoNow(), app, action, endpoint, allowed, actionName, note};
}

} // namespace zandrel::hub
