// The reference Hub's store, driven end to end through the application's own StoreService and
// HubAPIClient: catalogue and filters, details, installs with their bundles, the update check and
// store sign-in. The catalogue's own contents are checked in the logic test.

#include "AsyncTest.h"
#include "HubProcess.h"
#include "hub_api/HubAPIClient.h"
#include "store/StoreError.h"
#include "store/StoreService.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

QStringList namesOf(const QList<StoreApp>& apps)
{
    QStringList names;
    for (const StoreApp& app : apps)
        names.append(app.name);
    return names;
}

// The store error of a failed outcome, checked to carry a JSON error message.
template <class T>
StoreError storeError(const Outcome<T>& outcome)
{
    const auto error = outcome.template errorAs<StoreError>();
    if (!error)
        qFatal("expected a StoreError, got: %s", qPrintable(outcome.errorText()));
    if (!QJsonDocument::fromJson(error->body().toUtf8()).object().value("error"_L1).isString())
        qFatal("the error body has no message: %s", qPrintable(error->body()));
    return *error;
}

bool isExecutableFile(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() && file.isExecutable();
}

} // namespace

class TestReferenceHubStore : public QObject {
    Q_OBJECT

    std::unique_ptr<HubProcess> hub;
    std::unique_ptr<StoreService> store;

    HubAPIClient client() const { return HubAPIClient(hub->port()); }

    QMap<QString, QString> installedVersions()
    {
        QMap<QString, QString> installed;
        const auto apps = await(client().getApps());
        for (const AppInfo& app : *apps.value)
            installed.insert(app.id, app.version.value_or(u"0.0.0"_s));
        return installed;
    }

private Q_SLOTS:
    void init()
    {
        hub = std::make_unique<HubProcess>();
        QVERIFY(hub->serve());
        store = std::make_unique<StoreService>(hub->baseUrl());
    }

    void cleanup()
    {
        store.reset();
        QCOMPARE(hub->stop(), 0);
        hub.reset();
    }

    void catalogueFiltersAndDetail()
    {
        const auto all = await(store->getApps());
        QVERIFY2(all.succeeded() && all.value->size() >= 24, qPrintable(all.errorText()));
        // Some apps are paid, some featured.
        QVERIFY(std::ranges::any_of(*all.value, [](auto& a) { return !a.is_free; }));
        QVERIFY(std::ranges::any_of(*all.value, [](auto& a) { return a.featured == true; }));

        const auto categories = await(store->getCategories());
        QVERIFY(categories.succeeded() && categories.value->size() >= 6);
        // Every category filters to a non-empty set of apps of that category.
        for (const StoreCategory& category : *categories.value) {
            const auto inCategory = await(store->getApps(category.slug));
            QVERIFY2(inCategory.succeeded() && !inCategory.value->isEmpty(), qPrintable(category.slug));
            for (const StoreApp& app : *inCategory.value)
                QCOMPARE(app.category.slug, category.slug);
        }
        QVERIFY(await(store->getApps(u"no-such-category"_s)).value->isEmpty());

        // Search ignores case and reads the long description too; an empty category means all.
        QCOMPARE(namesOf(*await(store->getApps(QString(), u"DULV"_s)).value), QStringList{u"Dulvet"_s});
        QVERIFY(
            namesOf(*await(store->getApps(std::nullopt, u"Statement FILES"_s)).value).contains(u"Dulvet"_s));
        QCOMPARE(namesOf(*await(store->getApps(u"finance"_s, u"invoice"_s)).value),
                 QStringList{u"Marrowind"_s});
        QVERIFY(await(store->getApps(std::nullopt, u"zzzz-nothing"_s)).value->isEmpty());

        // An app's detail, and 404 for an unknown slug.
        const auto detail = await(store->getApp(u"dulvet"_s));
        QVERIFY2(detail.succeeded(), qPrintable(detail.errorText()));
        QCOMPARE(detail.value->name, u"Dulvet"_s);
        QCOMPARE(detail.value->latest_version.value_or(VersionInfo{}).version, u"1.10.0"_s);
        QVERIFY(!detail.value->description.isEmpty() && detail.value->min_hub_version &&
                detail.value->supported_architectures);
        QVERIFY(detail.value->required_permissions && !detail.value->required_permissions->isEmpty());
        QCOMPARE(storeError(await(store->getApp(u"no-such-app"_s))).status(), 404);
    }

    void installCreatesBundleAndListsApp()
    {
        const auto installed = await(store->installApp(u"grepling"_s));
        QVERIFY2(installed.succeeded(), qPrintable(installed.errorText()));
        QCOMPARE(installed.value->app, u"Grepling"_s);
        QCOMPARE(installed.value->version, u"5.0.1"_s);
        QCOMPARE(installed.value->path, hub->path(u"Applications/Grepling.app"_s));
        QVERIFY(isExecutableFile(installed.value->path + u"/AppRun"_s));

        const auto apps = await(client().getApps());
        const auto listed =
            std::find_if(apps.value->begin(), apps.value->end(), [](auto& a) { return a.id == u"grepling"; });
        QVERIFY(listed != apps.value->end());
        QCOMPARE(listed->name, u"Grepling"_s);
        QCOMPARE(listed->version, u"5.0.1"_s);
        QVERIFY(listed->actions && !listed->actions->isEmpty());

        // Installing again updates in place: whatever else the bundle holds stays.
        const QString kept = installed.value->path + u"/user-settings.json"_s;
        QVERIFY(QFile(kept).open(QIODevice::WriteOnly));
        QVERIFY(await(store->installApp(u"grepling"_s)).succeeded());
        QVERIFY(QFile::exists(kept));

        // An app whose bundle was deleted (the application's uninstall) is no longer listed.
        QVERIFY(QDir(installed.value->path).removeRecursively());
        QVERIFY(!installedVersions().contains(u"grepling"_s));
        QCOMPARE(storeError(await(store->installApp(u"no-such-app"_s))).status(), 404);
    }

    void firstStartSeedsOlderVersionsAndUpdateCheckFindsThem()
    {
        QMap<QString, QString> installed = installedVersions();
        const qsizetype seeded = installed.size();
        QVERIFY(seeded >= 2 && seeded <= 3);
        // Which apps are seeded is the logic test's; here their bundles are on disk.
        const auto apps = await(client().getApps());
        for (const AppInfo& app : *apps.value)
            QVERIFY(isExecutableFile(hub->path(u"Applications/%1.app/AppRun"_s.arg(app.name))));
        installed.insert(u"not-in-store"_s, u"1.0.0"_s);
        installed.insert(u"grepling"_s, u"9.0.0"_s); // newer than the store's

        const auto check = await(store->checkUpdates(installed));
        QVERIFY2(check.succeeded(), qPrintable(check.errorText()));
        QCOMPARE(check.value->updates.size(), seeded);
        QVERIFY(!check.value->updates.contains(u"not-in-store"_s) &&
                !check.value->updates.contains(u"grepling"_s));
        for (auto it = check.value->updates.begin(); it != check.value->updates.end(); ++it) {
            QVERIFY(!it->url.isEmpty() && !it->hash.isEmpty() && it->size > 0);
            QVERIFY(it->version != installed.value(it.key()));
        }

        // Numeric order: 1.9.2 is older than 1.10.0, and 1.10.0 is current.
        const auto dulvet = await(store->checkUpdates({{u"dulvet"_s, u"1.9.2"_s}}));
        QCOMPARE(dulvet.value->updates.value(u"dulvet"_s).version, u"1.10.0"_s);
        QVERIFY(await(store->checkUpdates({{u"dulvet"_s, u"1.10.0"_s}})).value->updates.isEmpty());

        // Updating through install, as the updates page does, clears the update.
        const QString slug = check.value->updates.firstKey();
        QVERIFY(await(store->installApp(slug)).succeeded());
        const auto recheck = await(store->checkUpdates(installedVersions()));
        QVERIFY(!recheck.value->updates.contains(slug));
        QCOMPARE(recheck.value->updates.size(), seeded - 1);
    }

    void loginAccountAndPaidInstall()
    {
        // A paid app needs a signed-in account.
        const StoreError refused = storeError(await(store->installApp(u"patchwell"_s)));
        QCOMPARE(refused.status(), 401);
        QVERIFY(refused.body().contains(u"sign in"_s));
        QVERIFY(!QFileInfo::exists(hub->path(u"Applications/Patchwell.app"_s)));

        QCOMPARE(storeError(await(store->login(u"demo@zandrel.dev"_s, u"nope"_s))).status(), 401);
        QVERIFY(!store->isLoggedIn());
        QCOMPARE(storeError(await(store->getAccount())).status(), 401);
        store->setAuthToken(u"forged-token"_s);
        QCOMPARE(storeError(await(store->getAccount())).status(), 401);
        store->setAuthToken(std::nullopt);

        const auto login = await(store->login(u"demo@zandrel.dev"_s, u"zandrel"_s));
        QVERIFY2(login.succeeded() && store->isLoggedIn(), qPrintable(login.errorText()));
        QVERIFY(!login.value->access_token.isEmpty() && !login.value->refresh_token.isEmpty());
        const auto me = await(store->getAccount());
        QVERIFY2(me.succeeded(), qPrintable(me.errorText()));
        QCOMPARE(me.value->email, u"demo@zandrel.dev"_s);
        QVERIFY(!me.value->display_name.isEmpty());

        const auto bought = await(store->installApp(u"patchwell"_s));
        QVERIFY2(bought.succeeded() && isExecutableFile(bought.value->path + u"/AppRun"_s),
                 qPrintable(bought.errorText()));

        // A second service holding the same token (the application after a sign-in callback) is
        // signed in too.
        StoreService other(hub->baseUrl());
        other.setAuthToken(login.value->access_token);
        QVERIFY(await(other.getAccount()).succeeded());
    }
};

QTEST_GUILESS_MAIN(TestReferenceHubStore)
#include "tst_reference_hub_store.moc"
