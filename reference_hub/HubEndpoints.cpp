#include "HubEndpoints.h"

#include "hub_api/SessionEntry.h"

namespace zandrel::hub {

namespace {

QString permissionSummary(const PermissionSet& set)
{
    QStringList granted;
    if (set.read.value_or(false))
        granted.append(QStringLiteral("read"));
    if (set.write.value_or(false))
        granted.append(QStringLiteral("write"));
    if (set.actions.value_or(false))
        granted.append(QStringLiteral("actions"));
    return granted.isEmpty() ? QStringLiteral("granted nothing")
                             : QStringLiteral("granted ") + granted.join(u", ");
}

QString describe(const std::optional<bool>& value)
{
    return value ? (*value ? QStringLiteral("on") : QStringLiteral("off")) : QStringLiteral("unset");
}

} // namespace

HubEndpoints::HubEndpoints(HubContext& context)
    : context_(context)
{}

void HubEndpoints::addTo(Router& router)
{
    router.add("GET", QStringLiteral("/api"), [this](const Request& r) { return liveness(r); });
    router.add("GET", QStringLiteral("/api/apps"), [this](const Request& r) { return apps(r); });
    router.add(
        "GET", QStringLiteral("/api/apps/{app}/sessions"), [this](const Request& r) { return sessions(r); });
    router.add(
        "GET", QStringLiteral("/api/permissions"), [this](const Request& r) { return permissions(r); });
    router.add("PUT", QStringLiteral("/api/permissions/{app}"), [this](const Request& r) {
        return updatePermissions(r);
    });
    router.add("GET", QStringLiteral("/api/audit"), [this](const Request& r) { return audit(r); });
}

Response HubEndpoints::liveness(const Request&) const
{
    return Response::json(QJsonObject{{QStringLiteral("name"), QStringLiteral("Zandrel reference Hub")},
                                      {QStringLiteral("version"), QStringLiteral(ZANDREL_HUB_VERSION)},
                                      {QStringLiteral("status"), QStringLiteral("running")},
                                      {QStringLiteral("port"), context_.port},
                                      {QStringLiteral("apps"), context_.presentApps().size()}});
}

Response HubEndpoints::apps(const Request&) const
{
    QList<AppInfo> list;
    for (const InstalledApp& app : context_.presentApps())
        list.append(app.info);
    return Response::record(list);
}

Response HubEndpoints::sessions(const Request& request) const
{
    const InstalledApp app = context_.presentApp(request.params.at(0));
    const CatalogueApp* entry = context_.catalogue.find(app.info.id);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<SessionEntry> list;
    if (entry) {
        for (const SeedSession& seed : entry->sessions.value_or(QList<SeedSession>())) {
            list.append(SessionEntry{seed.id,
                                     seed.title,
                                     isoTime(now.addSecs(-3600 * seed.created_hours_ago)),
                                     isoTime(now.addSecs(-3600 * seed.updated_hours_ago)),
                                     seed.messageCount,
                                     seed.preview});
        }
    }
    return Response::record(list);
}

Response HubEndpoints::permissions(const Request&) const
{
    PermissionMap map;
    for (const InstalledApp& app : context_.presentApps())
        map.insert(app.info.name, context_.permissionsOf(app));
    return Response::json(QJsonObject{{QStringLiteral("apps"), wire::toJson(map)}});
}

PermissionSet HubEndpoints::permissionsBody(const Request& request)
{
    PermissionSet set = decodeBody<PermissionSet>(request);
    if (!set.actions) {
        // Older apps call the third permission "execute".
        // The body decoded above, so it is JSON and an object.
        const wire::JsonDocument document(request.body);
        const std::optional<wire::JsonElement> execute = document.root().member("execute");
        if (execute && execute->isBool())
            set.actions = execute->toBool();
        else if (execute && !execute->isNull())
            throw HttpError(400,
                            QStringLiteral("The request body is not valid: execute: expected a boolean"));
    }
    refuseEmptyRecord(set);
    return set;
}

Response HubEndpoints::updatePermissions(const Request& request)
{
    const InstalledApp app = context_.presentApp(request.params.at(0));
    const PermissionSet set = permissionsBody(request);

    const QString note = QStringLiteral("read %1, write %2, actions %3")
                             .arg(describe(set.read), describe(set.write), describe(set.actions));
    context_.store.update([&](HubData& data) {
        data.permissions.insert(app.info.name, set);
        data.audited(auditEntry(app.info.name,
                                QStringLiteral("perms"),
                                QStringLiteral("PUT ") + request.path,
                                true,
                                permissionSummary(set),
                                note));
    });
    return Response::json(QJsonObject{{QStringLiteral("app"), app.info.name},
                                      {QStringLiteral("permissions"), wire::toJson(set)}});
}

Response HubEndpoints::audit(const Request& request) const
{
    const int limit = request.queryNumber(QStringLiteral("limit"), defaultAuditLimit, 0, maxAuditLimit);
    const QList<AuditEntry>& log = context_.store.data().audit;
    QList<AuditEntry> newestFirst;
    for (qsizetype i = log.size() - 1; i >= 0 && newestFirst.size() < limit; --i)
        newestFirst.append(log.at(i));
    return Response::record(newestFirst);
}

} // namespace zandrel::hub
