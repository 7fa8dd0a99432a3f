#include "StoreEndpoints.h"

#include "Versions.h"
#include "store/InstallResult.h"
#include "store/StoreRequests.h"
#include "store/Updates.h"

#include <QCryptographicHash>

namespace zandrel::hub {

namespace {

QString price(qint64 cents)
{
    return QStringLiteral("$%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

StoreEndpoints::StoreEndpoints(HubContext& context, const StoreAccounts& accounts)
    : context_(context)
    , accounts_(accounts)
{}

void StoreEndpoints::addTo(Router& router)
{
    router.add("GET", QStringLiteral("/api/store/apps"), [this](const Request& r) { return catalogue(r); });
    router.add("GET", QStringLiteral("/api/store/apps/categories"), [this](const Request& r) {
        return categories(r);
    });
    router.add(
        "GET", QStringLiteral("/api/store/apps/{slug}"), [this](const Request& r) { return detail(r); });
    router.add("POST", QStringLiteral("/api/store/apps/{slug}/install"), [this](const Request& r) {
        return install(r);
    });
    router.add("POST", QStringLiteral("/api/store/apps/updates/check"), [this](const Request& r) {
        return checkUpdates(r);
    });
}

const CatalogueApp& StoreEndpoints::appFor(const QString& slug) const
{
    const CatalogueApp* app = context_.catalogue.find(slug);
    if (!app)
        throw HttpError(404, QStringLiteral("The store has no app \"%1\"").arg(slug));
    return *app;
}

Response StoreEndpoints::catalogue(const Request& request) const
{
    const int page = request.queryNumber(QStringLiteral("page"), 1, 1, 1'000'000);
    const int pageSize = request.queryNumber(QStringLiteral("page_size"), defaultPageSize, 1, maxPageSize);
    const QList<const CatalogueApp*> found =
        context_.catalogue.matching(request.queryValue(QStringLiteral("category")).value_or(QString()),
                                    request.queryValue(QStringLiteral("search")).value_or(QString()));

    PaginatedStoreApps answer;
    for (qsizetype i = qsizetype(page - 1) * pageSize; i < found.size() && answer.results.size() < pageSize;
         ++i)
        answer.results.append(context_.catalogue.summary(*found.at(i)));
    answer.count = found.size();
    answer.page = page;
    QJsonObject json = wire::toJson(answer).toObject();
    json.insert(QStringLiteral("page_size"), pageSize);
    return Response::json(json);
}

Response StoreEndpoints::categories(const Request&) const
{
    return Response::record(context_.catalogue.categories());
}

Response StoreEndpoints::detail(const Request& request) const
{
    return Response::record(context_.catalogue.detail(appFor(request.params.at(0))));
}

Response StoreEndpoints::install(const Request& request)
{
    const CatalogueApp& app = appFor(request.params.at(0));
    const InstalledApp* existing = context_.store.data().findInstalled(app.slug);
    const bool updating = existing && AppBundles::isPresent(existing->bundlePath);
    if (!app.isFree() && !updating && !accounts_.userFor(request.authorization))
        throw HttpError(401,
                        QStringLiteral("%1 costs %2: sign in to the store to buy it")
                            .arg(app.name, price(app.price_cents)));

    const QString version = app.latest().version;
    QString bundle;
    try {
        bundle = context_.bundles.install(app, version);
    } catch (const BundleError& e) {
        throw HttpError(
            500,
            QStringLiteral("%1 could not be installed: %2").arg(app.name, QString::fromStdString(e.what())));
    }

    const QString now = isoNow();
    const QString previous = updating ? existing->info.version.value_or(QString()) : QString();
    context_.store.update([&](HubData& data) {
        InstalledApp record{Catalogue::appInfo(app, version), bundle, now, now};
        if (InstalledApp* old = data.findInstalled(app.slug)) {
            record.installedAt = updating ? old->installedAt : now;
            *old = record;
        } else {
            data.installed.append(record);
        }
        if (!data.permissions.contains(app.name))
            data.permissions.insert(app.name, context_.defaultPermissions(app.slug));
        const QString what = previous.isEmpty() ? QStringLiteral("installed %1").arg(version)
                                                : QStringLiteral("updated %1 to %2").arg(previous, version);
        data.audited(auditEntry(
            app.name, QStringLiteral("install"), QStringLiteral("POST ") + request.path, true, what));
    });
    return Response::record(InstallResult{true, app.name, version, bundle});
}

Response StoreEndpoints::checkUpdates(const Request& request) const
{
    const auto body = decodeBody<UpdateCheckRequest>(request);
    UpdatesResponse answer;
    for (auto it = body.installed.begin(); it != body.installed.end(); ++it) {
        const CatalogueApp* app = context_.catalogue.find(it.key());
        if (!app || !Versions::isNewer(app->latest().version, it.value()))
            continue;
        const SeedVersion& latest = app->latest();
        bool required = false;
        for (const SeedVersion& v : app->versions)
            required = required || (v.required.value_or(false) && Versions::isNewer(v.version, it.value()));
        const QByteArray hash =
            QCryptographicHash::hash((app->slug + u'-' + latest.version).toUtf8(), QCryptographicHash::Sha256)
                .toHex();
        answer.updates.insert(
            it.key(),
            UpdatesResponse::UpdateEntry{latest.version,
                                         Catalogue::packageUrl(*app, latest),
                                         QStringLiteral("sha256:") + QString::fromLatin1(hash),
                                         latest.binary_size,
                                         latest.release_notes,
                                         required});
    }
    answer.announcements = {QStringLiteral("Welcome to the Zandrel Store: %1 apps in %2 categories.")
                                .arg(context_.catalogue.apps().size())
                                .arg(context_.catalogue.appCategories().size())};
    return Response::record(answer);
}

} // namespace zandrel::hub
