// The reference Hub's store, driven end to end through the application's own StoreService and
// HubAPIClient: catalogue and filters, details, installs with their bundles, the update check and
// store sign-in.

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

namespace {

const QStringList kCompanions{QStringLiteral("Orvane"),
                              QStringLiteral("Kettavox"),
                              QStringLiteral("Dulvet"),
                              QStringLiteral("Morrak"),
                              QStringLiteral("Silvane"),
                              QStringLiteral("Pimbrel")};

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
    const QJsonObject body = QJsonDocument::fromJson(error->body().toUtf8()).object();
    if (!body.value(QLatin1StringView("error")).isString())
        qFatal("the error body has no message: %s", qPrintable(error->body()));
    return *error;
}

} // namespace

class TestReferenceHubStore : public QObject {
    Q_OBJECT

    std::unique_ptr<HubProcess> hub;
    std::unique_ptr<StoreService> store;

    HubAPIClient client() const { return HubAPIClient(hub->port()); }

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

    void catalogueAndFilters()
    {
        const auto all = await(store->getApps());
        QVERIFY2(all.succeeded(), qPrintable(all.errorText()));
        QVERIFY(all.value->size() >= 24);
        for (const QString& name : kCompanions)
            QVERIFY2(namesOf(*all.value).contains(name), qPrintable(name));
        QVERIFY(
            std::any_of(all.value->begin(), all.value->end(), [](const StoreApp& a) { return !a.is_free; }));
        QVERIFY(std::any_of(
            all.value->begin(), all.value->end(), [](const StoreApp& a) { return a.featured == true; }));

        const auto categories = await(store->getCategories());
        QVERIFY(categories.succeeded());
        QVERIFY(categories.value->size() >= 6);

        // Every category filters to a non-empty set of apps of that category.
        for (const StoreCategory& category : *categories.value) {
            const auto inCategory = await(store->getApps(category.slug));
            QVERIFY(inCategory.succeeded());
            QVERIFY2(!inCategory.value->isEmpty(), qPrintable(category.slug));
            for (const StoreApp& app : *inCategory.value)
                QCOMPARE(app.category.slug, category.slug);
        }
        QVERIFY(await(store->getApps(QStringLiteral("no-such-category"))).value->isEmpty());

        // Search ignores case and reads the long description too; an empty category means all.
        const auto byName = await(store->getApps(QString(), QStringLiteral("DULV")));
        QCOMPARE(namesOf(*byName.value), QStringList{QStringLiteral("Dulvet")});
        const auto byDescription = await(store->getApps(std::nullopt, QStringLiteral("Statement FILES")));
        QVERIFY(namesOf(*byDescription.value).contains(QStringLiteral("Dulvet")));
        const auto both = await(store->getApps(QStringLiteral("finance"), QStringLiteral("invoice")));
        QCOMPARE(namesOf(*both.value), QStringList{QStringLiteral("Marrowind")});
        QVERIFY(await(store->getApps(std::nullopt, QStringLiteral("zzzz-nothing"))).value->isEmpty());
    }

    void appDetail()
    {
        const auto detail = await(store->getApp(QStringLiteral("dulvet")));
        QVERIFY2(detail.succeeded(), qPrintable(detail.errorText()));
        QCOMPARE(detail.value->name, QStringLiteral("Dulvet"));
        QVERIFY(detail.value->latest_version.has_value());
        QCOMPARE(detail.value->latest_version->version, QStringLiteral("1.10.0"));
        QVERIFY(!detail.value->description.isEmpty());
        QVERIFY(detail.value->required_permissions && !detail.value->required_permissions->isEmpty());
        QVERIFY(detail.value->min_hub_version && detail.value->supported_architectures);

        const auto paid = await(store->getApp(QStringLiteral("patchwell")));
        QVERIFY(!paid.value->is_free && paid.value->price_cents > 0);

        const auto missing = await(store->getApp(QStringLiteral("no-such-app")));
        QCOMPARE(storeError(missing).status(), 404);
    }

    void installCreatesBundleAndListsApp()
    {
        const auto installed = await(store->installApp(QStringLiteral("grepling")));
        QVERIFY2(installed.succeeded(), qPrintable(installed.errorText()));
        QCOMPARE(installed.value->app, QStringLiteral("Grepling"));
        QCOMPARE(installed.value->version, QStringLiteral("5.0.1"));
        QCOMPARE(installed.value->path, hub->path(QStringLiteral("Applications/Grepling.app")));
        const QFileInfo appRun(installed.value->path + QStringLiteral("/AppRun"));
        QVERIFY(appRun.isFile() && appRun.isExecutable());

        const auto apps = await(client().getApps());
        QVERIFY(apps.succeeded());
        const auto listed = std::find_if(
            apps.value->begin(), apps.value->end(), [](const AppInfo& a) { return a.id == u"grepling"; });
        QVERIFY(listed != apps.value->end());
        QCOMPARE(listed->name, QStringLiteral("Grepling"));
        QCOMPARE(listed->version, QStringLiteral("5.0.1"));
        QVERIFY(listed->actions && !listed->actions->isEmpty());

        // Installing again updates in place: whatever else the bundle holds stays.
        QFile keep(installed.value->path + QStringLiteral("/user-settings.json"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("{}");
        keep.close();
        QVERIFY(await(store->installApp(QStringLiteral("grepling"))).succeeded());
        QVERIFY(keep.exists());

        // An app whose bundle was deleted (the application's uninstall) is no longer listed.
        QVERIFY(QDir(installed.value->path).removeRecursively());
        const auto afterUninstall = await(client().getApps());
        QVERIFY(std::none_of(afterUninstall.value->begin(),
                             afterUninstall.value->end(),
                             [](const AppInfo& a) { return a.id == u"grepling"; }));

        QCOMPARE(storeError(await(store->installApp(QStringLiteral("no-such-app")))).status(), 404);
    }

    void paidAppNeedsSignIn()
    {
        const auto refused = await(store->installApp(QStringLiteral("patchwell")));
        const StoreError error = storeError(refused);
        QCOMPARE(error.status(), 401);
        QVERIFY(error.body().contains(QStringLiteral("sign in")));
        QVERIFY(!QFileInfo::exists(hub->path(QStringLiteral("Applications/Patchwell.app"))));

        QVERIFY(
            await(store->login(QStringLiteral("demo@zandrel.dev"), QStringLiteral("zandrel"))).succeeded());
        const auto bought = await(store->installApp(QStringLiteral("patchwell")));
        QVERIFY2(bought.succeeded(), qPrintable(bought.errorText()));
        QVERIFY(QFileInfo(bought.value->path + QStringLiteral("/AppRun")).isExecutable());
    }

    void firstStartSeedsOlderVersionsAndUpdateCheckFindsThem()
    {
        const auto apps = await(client().getApps());
        QVERIFY(apps.succeeded());
        QVERIFY(apps.value->size() >= 2 && apps.value->size() <= 3);
        QMap<QString, QString> installed;
        for (const AppInfo& app : *apps.value) {
            QVERIFY2(kCompanions.contains(app.name), qPrintable(app.name));
            QVERIFY(QFileInfo(hub->path(QStringLiteral("Applications/%1.app/AppRun").arg(app.name)))
                        .isExecutable());
            installed.insert(app.id, app.version.value_or(QStringLiteral("0.0.0")));
        }
        installed.insert(QStringLiteral("not-in-store"), QStringLiteral("1.0.0"));
        installed.insert(QStringLiteral("grepling"), QStringLiteral("9.0.0")); // newer than the store's

        const auto check = await(store->checkUpdates(installed));
        QVERIFY2(check.succeeded(), qPrintable(check.errorText()));
        QCOMPARE(check.value->updates.size(), apps.value->size());
        QVERIFY(!check.value->updates.contains(QStringLiteral("not-in-store")));
        QVERIFY(!check.value->updates.contains(QStringLiteral("grepling")));
        for (auto it = check.value->updates.begin(); it != check.value->updates.end(); ++it) {
            QVERIFY(!it->url.isEmpty() && !it->hash.isEmpty() && it->size > 0);
            QVERIFY(it->version != installed.value(it.key()));
        }

        // Numeric order: 1.9.2 is older than 1.10.0, and 1.10.0 is current.
        const auto dulvet = await(store->checkUpdates({{QStringLiteral("dulvet"), QStringLiteral("1.9.2")}}));
        QCOMPARE(dulvet.value->updates.value(QStringLiteral("dulvet")).version, QStringLiteral("1.10.0"));
        const auto current =
            await(store->checkUpdates({{QStringLiteral("dulvet"), QStringLiteral("1.10.0")}}));
        QVERIFY(current.value->updates.isEmpty());

        // Updating through install, as the updates page does, clears the update.
        const QString slug = apps.value->first().id;
        QVERIFY(await(store->installApp(slug)).succeeded());
        const auto after = await(client().getApps());
        installed.clear();
        for (const AppInfo& app : *after.value)
            installed.insert(app.id, *app.version);
        const auto recheck = await(store->checkUpdates(installed));
        QVERIFY(!recheck.value->updates.contains(slug));
        QCOMPARE(recheck.value->updates.size(), apps.value->size() - 1);
    }

    void loginAndAccount()
    {
        const auto wrong = await(store->login(QStringLiteral("demo@zandrel.dev"), QStringLiteral("nope")));
        QCOMPARE(storeError(wrong).status(), 401);
        QVERIFY(!store->isLoggedIn());

        QCOMPARE(storeError(await(store->getAccount())).status(), 401);
        store->setAuthToken(QStringLiteral("forged-token"));
        QCOMPARE(storeError(await(store->getAccount())).status(), 401);
        store->setAuthToken(std::nullopt);

        const auto login = await(store->login(QStringLiteral("demo@zandrel.dev"), QStringLiteral("zandrel")));
        QVERIFY2(login.succeeded(), qPrintable(login.errorText()));
        QVERIFY(store->isLoggedIn());
        QVERIFY(!login.value->access_token.isEmpty() && !login.value->refresh_token.isEmpty());

        const auto me = await(store->getAccount());
        QVERIFY2(me.succeeded(), qPrintable(me.errorText()));
        QCOMPARE(me.value->email, QStringLiteral("demo@zandrel.dev"));
        QVERIFY(!me.value->display_name.isEmpty());

        // A second service holding the same token (the application after a sign-in callback) is signed in
        // too.
        StoreService other(hub->baseUrl());
        other.setAuthToken(login.value->access_token);
        QVERIFY(await(other.getAccount()).succeeded());
    }
};

QTEST_GUILESS_MAIN(TestReferenceHubStore)
#include "tst_reference_hub_store.moc"
