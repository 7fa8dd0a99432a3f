// The store records and the store service: requests sent, answers decoded, sign-in state kept.

#include "AsyncTest.h"
#include "DecodeCheck.h"
#include "FakeHub.h"
#include "store/StoreError.h"
#include "store/StoreService.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kApp =
    "{\"slug\":\"orvane\",\"name\":\"Orvane\",\"short_description\":\"Notes\",\"icon_url\":\"https://i/"
    "o.png\","
    R"("category":{"id":"1","name":"Tools","slug":"tools","icon":"hammer"},"price_cents":0,"is_free":true,)"
    R"("average_rating":4,"review_count":3,"download_count":10})";

const QByteArray kAuth = R"({"access_token":"tok-1","refresh_token":"ref-1",)"
                         "\"user\":{\"id\":\"u1\",\"email\":\"demo@zandrel.dev\",\"display_name\":\"Demo\","
                         "\"avatar_url\":\"https://a\"}}";

const QByteArray kProfile =
    "{\"id\":\"u1\",\"email\":\"demo@zandrel.dev\",\"display_name\":\"Demo\",\"avatar_url\":\"https://a\"}";

QByteArray without(const QByteArray& json, const char* member)
{
    QJsonObject o = QJsonDocument::fromJson(json).object();
    o.remove(QLatin1StringView(member));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- records ---

    void updatesRecords()
    {
        QCOMPARE(decodeFailure<UpdatesResponse>(R"({"updates":{}})"),
                 QStringLiteral("announcements: missing"));
        const auto none = wire::decodeJson<UpdatesResponse>(R"({"updates":{},"announcements":[]})");
        QVERIFY(none.updates.isEmpty() && !none.hub_update);

        const auto two = wire::decodeJson<UpdatesResponse>(
            R"({"updates":{"orvane":{"version":"1.2.0","url":"u","hash":"h","size":10,"notes":"n","required":false},)"
            R"("dulvet":{"version":"2.0.0","url":"u2","hash":"h2","size":20,"notes":"n2","required":true}},)"
            R"("hub_update":{"version":"9","url":"u","notes":"n"},"announcements":["hi"]})");
        const QList<UpdateInfo> rows = UpdateInfo::rows(two);
        QCOMPARE(
            rows,
            (QList<UpdateInfo>{{u"dulvet"_s, u"2.0.0"_s, u"u2"_s, u"h2"_s, 20, u"n2"_s, true, std::nullopt},
                               {u"orvane"_s, u"1.2.0"_s, u"u"_s, u"h"_s, 10, u"n"_s, false, std::nullopt}}));
        QCOMPARE(two.hub_update, (UpdatesResponse::HubUpdate{u"9"_s, u"u"_s, u"n"_s}));
        QCOMPARE(two.announcements, QStringList{u"hi"_s});
        QVERIFY(!wire::encodeJson(rows[1]).contains("currentVersion"));
    }

    // Every member of every store record, optional ones included, spelt as the store sends it. The other
    // fixtures leave optional members out, where a misspelt name would go unnoticed as "absent".
    void everyFieldAsTheStoreSpellsIt()
    {
        const QByteArray categoryJson = R"({"id":"cat-3","name":"Audio","slug":"audio","icon":"waveform",)"
                                        R"("description":"Sound and voice","sort_order":4})";
        const AppCategory category{.id = u"cat-3"_s,
                                   .name = u"Audio"_s,
                                   .slug = u"audio"_s,
                                   .icon = u"waveform"_s,
                                   .description = u"Sound and voice"_s,
                                   .sort_order = 4};

        const QByteArray appJson =
            R"({"slug":"kettavox","name":"Kettavox","short_description":"Voice memos",)"
            R"("icon_url":"https://cdn.zandrel.dev/kettavox.png","category":)" +
            categoryJson +
            R"(,"developer_name":"Zandrel Labs","price_cents":499,"is_free":true,"average_rating":4.5,)"
            R"("review_count":12,"download_count":3400,"featured":false})";
        const StoreApp app{.slug = u"kettavox"_s,
                           .name = u"Kettavox"_s,
                           .short_description = u"Voice memos"_s,
                           .icon_url = u"https://cdn.zandrel.dev/kettavox.png"_s,
                           .category = category,
                           .developer_name = u"Zandrel Labs"_s,
                           .price_cents = 499,
                           .is_free = true,
                           .average_rating = 4.5,
                           .review_count = 12,
                           .download_count = 3400,
                           .featured = false};
        QCOMPARE(wire::decodeJson<StoreApp>(appJson), app);
        QCOMPARE(
            wire::decodeJson<PaginatedStoreApps>("{\"results\":[" + appJson + "],\"count\":41,\"page\":3}"),
            (PaginatedStoreApps{{app}, 41, 3}));

        QCOMPARE(wire::decodeJson<StoreCategory>(
                     R"({"slug":"audio","name":"Audio","icon":"waveform","description":"Sound and voice"})"),
                 (StoreCategory{u"audio"_s, u"Audio"_s, u"waveform"_s, u"Sound and voice"_s}));

        const QByteArray detailJson =
            R"({"slug":"kettavox","name":"Kettavox","short_description":"Voice memos",)"
            R"("description":"Record, tag and find voice memos.","icon_url":"https://cdn.zandrel.dev/kettavox.png",)"
            R"("category":)" +
            categoryJson +
            R"(,"developer_name":"Zandrel Labs","price_cents":499,"is_free":true,"average_rating":4.5,)"
            R"("review_count":12,"download_count":3400,"active_install_count":2100,)"
            R"("screenshots":["https://cdn.zandrel.dev/k1.png"],)"
            R"("latest_version":{"id":"v-9","version":"2.1.0","build_number":210,"release_notes":"Faster search",)"
            R"("binary_size":5242880,"min_os_version":"13.0","min_hub_version":"0.9.0","sdk_version":"1.3.0",)"
            R"("supported_architectures":["arm64"],"status":"published","rollout_percent":50,)"
            R"("created_at":"2024-02-01T10:00:00Z"},)"
            R"("min_os_version":"12.0","min_hub_version":"0.8.0","min_sdk_version":"1.2.0",)"
            R"("required_permissions":["read","write"],"supported_architectures":["arm64","x86_64"],)"
            R"("status":"approved","featured":false,"published_at":"2024-01-05T08:00:00Z",)"
            R"("created_at":"2023-12-24T12:00:00Z","updated_at":"2024-02-02T09:15:00Z"})";
        const VersionInfo version{.id = u"v-9"_s,
                                  .version = u"2.1.0"_s,
                                  .build_number = 210,
                                  .release_notes = u"Faster search"_s,
                                  .binary_size = 5242880,
                                  .min_os_version = u"13.0"_s,
                                  .min_hub_version = u"0.9.0"_s,
                                  .sdk_version = u"1.3.0"_s,
                                  .supported_architectures = QStringList{u"arm64"_s},
                                  .status = u"published"_s,
                                  .rollout_percent = 50,
                                  .created_at = u"2024-02-01T10:00:00Z"_s};
        QCOMPARE(wire::decodeJson<StoreAppDetail>(detailJson),
                 (StoreAppDetail{.slug = u"kettavox"_s,
                                 .name = u"Kettavox"_s,
                                 .short_description = u"Voice memos"_s,
                                 .description = u"Record, tag and find voice memos."_s,
                                 .icon_url = u"https://cdn.zandrel.dev/kettavox.png"_s,
                                 .category = category,
                                 .developer_name = u"Zandrel Labs"_s,
                                 .price_cents = 499,
                                 .is_free = true,
                                 .average_rating = 4.5,
                                 .review_count = 12,
                                 .download_count = 3400,
                                 .active_install_count = 2100,
                                 .screenshots = {u"https://cdn.zandrel.dev/k1.png"_s},
                                 .latest_version = version,
                                 .min_os_version = u"12.0"_s,
                                 .min_hub_version = u"0.8.0"_s,
                                 .min_sdk_version = u"1.2.0"_s,
                                 .required_permissions = QStringList{u"read"_s, u"write"_s},
                                 .supported_architectures = QStringList{u"arm64"_s, u"x86_64"_s},
                                 .status = u"approved"_s,
                                 .featured = false,
                                 .published_at = u"2024-01-05T08:00:00Z"_s,
                                 .created_at = u"2023-12-24T12:00:00Z"_s,
                                 .updated_at = u"2024-02-02T09:15:00Z"_s}));

        QCOMPARE(wire::decodeJson<UpdateInfo>(
                     R"({"slug":"dulvet","version":"2.0.0","url":"https://cdn.zandrel.dev/dulvet.zip",)"
                     R"("hash":"sha256:ab12","size":1048576,"notes":"New charts","required":true,)"
                     R"("currentVersion":"1.9.3"})"),
                 (UpdateInfo{u"dulvet"_s,
                             u"2.0.0"_s,
                             u"https://cdn.zandrel.dev/dulvet.zip"_s,
                             u"sha256:ab12"_s,
                             1048576,
                             u"New charts"_s,
                             true,
                             u"1.9.3"_s}));

        // The sign-in fixtures already spell every member.
        QCOMPARE(wire::decodeJson<UserProfile>(kProfile),
                 (UserProfile{u"u1"_s, u"demo@zandrel.dev"_s, u"Demo"_s, u"https://a"_s}));
        QCOMPARE(wire::decodeJson<StoreAuthResponse>(kAuth),
                 (StoreAuthResponse{u"tok-1"_s, u"ref-1"_s, {u"u1"_s, u"demo@zandrel.dev"_s, u"Demo"_s}}));
    }

    // --- requests ---

    void catalogueQuery_data()
    {
        QTest::addColumn<std::optional<QString>>("category");
        QTest::addColumn<std::optional<QString>>("search");
        QTest::addColumn<bool>("hasQuery");
        QTest::addColumn<QByteArray>("query");
        QTest::newRow("neither") << std::optional<QString>() << std::optional<QString>() << false
                                 << QByteArray();
        QTest::newRow("empty search only")
            << std::optional<QString>() << std::optional<QString>(QString()) << false << QByteArray();
        QTest::newRow("category, empty search")
            << std::optional<QString>(QStringLiteral("tools")) << std::optional<QString>(QString()) << true
            << QByteArray("category=tools");
        QTest::newRow("empty category, search")
            << std::optional<QString>(QString()) << std::optional<QString>(QStringLiteral("notes")) << true
            << QByteArray("category=&search=notes");
        QTest::newRow("reserved characters")
            << std::optional<QString>() << std::optional<QString>(QStringLiteral("c++ & go=1/é")) << true
            << QByteArray("search=c%2B%2B%20%26%20go%3D1%2F%C3%A9");
    }
    void catalogueQuery()
    {
        QFETCH(std::optional<QString>, category);
        QFETCH(std::optional<QString>, search);
        QFETCH(bool, hasQuery);
        QFETCH(QByteArray, query);
        FakeHub hub;
        hub.on("GET", "/api/store/apps", ScriptedReply::json("[]"));
        StoreService store(hub.baseUrl());
        QVERIFY(await(store.getApps(category, search)).succeeded());
        QCOMPARE(hub.requests().size(), 1);
        QCOMPARE(hub.requests()[0].path, QByteArray("/api/store/apps"));
        QCOMPARE(hub.requests()[0].hasQuery, hasQuery);
        QCOMPARE(hub.requests()[0].query, query);
    }

    void catalogueAcceptsPagesAndBareArrays()
    {
        FakeHub hub;
        StoreService store(hub.baseUrl());
        hub.on("GET",
               "/api/store/apps",
               ScriptedReply::json("{\"results\":[" + kApp + "],\"count\":1,\"page\":1}"));
        QCOMPARE(await(store.getApps()).value->at(0).slug, QStringLiteral("orvane"));
        hub.on("GET", "/api/store/apps", ScriptedReply::json("[" + kApp + "," + kApp + "]"));
        QCOMPARE(await(store.getApps()).value->size(), 2);

        hub.on("GET", "/api/store/apps", ScriptedReply::json(R"({"count":1,"page":1})"));
        const auto noResults = await(store.getApps());
        QCOMPARE(noResults.errorAs<DecodeError>()->message(), QStringLiteral("expected an array"));

        hub.on("GET", "/api/store/apps", ScriptedReply::json("[" + without(kApp, "slug") + "]"));
        QCOMPARE(await(store.getApps()).errorAs<DecodeError>()->message(),
                 QStringLiteral("[0].slug: missing"));
    }

    void successMeansStatus200To299_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("199") << 199 << false;
        QTest::newRow("200") << 200 << true;
        QTest::newRow("299") << 299 << true;
        QTest::newRow("300") << 300 << false;
        QTest::newRow("404") << 404 << false;
    }
    void successMeansStatus200To299()
    {
        QFETCH(int, status);
        QFETCH(bool, succeeds);
        FakeHub hub;
        hub.on("GET",
               "/api/store/apps/categories",
               ScriptedReply::json(R"([{"slug":"tools","name":"Tools","icon":"hammer"}])", status));
        StoreService store(hub.baseUrl());
        const auto r = await(store.getCategories());
        QCOMPARE(r.succeeded(), succeeds);
        if (!succeeds) {
            QCOMPARE(r.errorAs<StoreError>()->status(), status);
            if (status >= 200) // a 1xx answer carries no body
                QCOMPARE(r.errorText(),
                         QStringLiteral(
                             "API error %1: [{\"slug\":\"tools\",\"name\":\"Tools\",\"icon\":\"hammer\"}]")
                             .arg(status));
        }
    }

    void errorBodiesThatAreNotUtf8()
    {
        FakeHub hub;
        hub.on("GET", "/api/store/apps/orvane", ScriptedReply::json("\xff\xfe bad \xc3", 500));
        StoreService store(hub.baseUrl());
        const auto r = await(store.getApp(QStringLiteral("orvane")));
        QCOMPARE(r.errorText(), QStringLiteral("API error 500: "));

        hub.on("GET", "/api/store/apps/orvane", ScriptedReply::json(QByteArray(5000, 'x'), 502));
        const auto longBody = await(store.getApp(QStringLiteral("orvane")));
        QCOMPARE(longBody.errorAs<StoreError>()->body().size(), 5000);
        QVERIFY(longBody.errorText().size() < 2100);
    }

    void installPostsWithoutBody()
    {
        FakeHub hub;
        hub.on("POST",
               "/api/store/apps/orvane/install",
               ScriptedReply::json(
                   R"({"success":true,"app":"Orvane","version":"1.0.0","path":"/x/Orvane.app"})"));
        StoreService store(hub.baseUrl());
        const auto r = await(store.installApp(QStringLiteral("orvane")));
        QVERIFY2(r.succeeded(), qPrintable(r.errorText()));
        QCOMPARE(*r.value, (InstallResult{true, u"Orvane"_s, u"1.0.0"_s, u"/x/Orvane.app"_s}));
        const RecordedRequest& sent = hub.requests().at(0);
        QCOMPARE(sent.method, QByteArray("POST"));
        QCOMPARE(sent.header("Content-Type"), QByteArray("application/json"));
        QCOMPARE(sent.header("Accept"), QByteArray("application/json"));
        QVERIFY(sent.body.isEmpty());
        QVERIFY(!sent.hasHeader("Authorization"));

        // A success that is not strict JSON is no success.
        hub.on("POST",
               "/api/store/apps/orvane/install",
               ScriptedReply::json("{\"success\":true,\"app\":\"Orvane\",\"x\":.5}"));
        QVERIFY(await(store.installApp(QStringLiteral("orvane"))).errorAs<DecodeError>());
    }

    void unsafeSlugsAreRefusedUnsent()
    {
        FakeHub hub;
        StoreService store(hub.baseUrl());
        for (const QString& slug : {QStringLiteral("../auth/me"),
                                    QStringLiteral(".."),
                                    QStringLiteral("."),
                                    QString(),
                                    QStringLiteral("a/b"),
                                    QStringLiteral("a?x=1"),
                                    QStringLiteral("a%2e"),
                                    QStringLiteral("wéather"),
                                    QStringLiteral("a b")}) {
            const auto install = await(store.installApp(slug));
            QVERIFY2(install.errorAs<InvalidRequestError>(), qPrintable(slug));
            QVERIFY(install.errorText().contains(QStringLiteral("not a valid app identifier")));
            QVERIFY(await(store.getApp(slug)).errorAs<InvalidRequestError>());
        }
        QVERIFY(hub.requests().isEmpty());
        QVERIFY(StoreService::isValidSlug(QStringLiteral("my-app_2.0")));
    }

    void bearerTokenWhileHeld()
    {
        FakeHub hub;
        hub.on("POST",
               "/api/store/apps/updates/check",
               ScriptedReply::json(R"({"updates":{},"announcements":[]})"));
        StoreService store(hub.baseUrl());
        QSignalSpy tokenSpy(&store, &StoreService::authTokenChanged);
        store.setAuthToken(QStringLiteral("secret"));
        store.setAuthToken(QStringLiteral("secret"));
        QCOMPARE(tokenSpy.count(), 1);

        QMap<QString, QString> installed{{QStringLiteral("orvane"), QStringLiteral("1.0.0")}};
        QVERIFY(await(store.checkUpdates(installed)).succeeded());
        store.setAuthToken(std::nullopt);
        QVERIFY(await(store.checkUpdates({})).succeeded());

        const auto& sent = hub.requests();
        QCOMPARE(sent[0].header("Authorization"), QByteArray("Bearer secret"));
        QCOMPARE(sent[0].json(), QJsonObject({{"installed", QJsonObject({{"orvane", "1.0.0"}})}}));
        QVERIFY(!sent[1].hasHeader("Authorization"));
        QCOMPARE(sent[1].body, QByteArray(R"({"installed":{}})"));
    }

    // --- sign-in state ---

    void loginSignsIn()
    {
        FakeHub hub;
        hub.on("POST", "/api/store/auth/login", ScriptedReply::json(kAuth));
        StoreService store(hub.baseUrl());
        QSignalSpy loggedIn(&store, &StoreService::isLoggedInChanged);
        const auto r = await(store.login(QStringLiteral("demo@zandrel.dev"), QStringLiteral("p\"w")));
        QVERIFY2(r.succeeded(), qPrintable(r.errorText()));
        QCOMPARE(r.value->refresh_token, QStringLiteral("ref-1"));
        QVERIFY(store.isLoggedIn());
        QCOMPARE(loggedIn.count(), 1);
        QCOMPARE(store.authToken(), QStringLiteral("tok-1"));
        QCOMPARE(store.currentUser()->display_name, QStringLiteral("Demo"));
        QVERIFY(!store.currentUser()->avatar_url); // the login answer's user carries none
        QCOMPARE(hub.requests()[0].json(),
                 QJsonObject({{"email", "demo@zandrel.dev"}, {"password", "p\"w"}}));

        // The account fetch replaces the profile and keeps the token.
        hub.on("GET", "/api/store/auth/me", ScriptedReply::json(kProfile));
        QVERIFY(await(store.getAccount()).succeeded());
        QCOMPARE(store.currentUser()->avatar_url, QStringLiteral("https://a"));
        QCOMPARE(store.authToken(), QStringLiteral("tok-1"));
        QCOMPARE(hub.requests()[1].header("Authorization"), QByteArray("Bearer tok-1"));

        store.signOut();
        QVERIFY(!store.isLoggedIn() && !store.authToken() && !store.currentUser());
        store.signOut();
        QVERIFY(!store.isLoggedIn());
        QCOMPARE(hub.requests().size(), 2);
    }

    void failuresLeaveSignInStateAlone()
    {
        FakeHub hub;
        StoreService store(hub.baseUrl());
        hub.on(
            "POST", "/api/store/auth/login", ScriptedReply::json(R"({"error":"Invalid credentials"})", 401));
        const auto bad = await(store.login(QStringLiteral("x"), QStringLiteral("y")));
        QCOMPARE(bad.errorText(), QStringLiteral("API error 401: {\"error\":\"Invalid credentials\"}"));
        QVERIFY(!store.isLoggedIn() && !store.authToken() && !store.currentUser());

        hub.on("POST", "/api/store/auth/login", ScriptedReply::json(kAuth));
        QVERIFY(await(store.login(QStringLiteral("x"), QStringLiteral("y"))).succeeded());
        QSignalSpy anyChange(&store, &StoreService::currentUserChanged);
        hub.on("GET", "/api/store/auth/me", ScriptedReply::json(R"({"error":"expired"})", 401));
        QVERIFY(await(store.getAccount()).errorAs<StoreError>());
        hub.on("GET", "/api/store/auth/me", ScriptedReply::json(R"({"id":"u1"})"));
        QVERIFY(await(store.getAccount()).errorAs<DecodeError>());
        QVERIFY(store.isLoggedIn());
        QCOMPARE(store.authToken(), QStringLiteral("tok-1"));
        QCOMPARE(anyChange.count(), 0);
    }

    void accountFetchSignsInWithoutToken()
    {
        FakeHub hub;
        hub.on("GET", "/api/store/auth/me", ScriptedReply::json(kProfile));
        StoreService store(hub.baseUrl());
        QVERIFY(await(store.getAccount()).succeeded());
        QVERIFY(store.isLoggedIn());
        QVERIFY(!store.authToken());
    }

    void onlyTheLatestAccountFetchOfTheCurrentSignInCounts()
    {
        FakeHub hub;
        StoreService store(hub.baseUrl());
        const auto profile = [](const QByteArray& name) {
            return ScriptedReply::json(R"({"id":"u1","email":"demo@zandrel.dev","display_name":")" + name +
                                       R"("})");
        };
        const auto name = [&] { return store.currentUser() ? store.currentUser()->display_name : u"-"_s; };

        // Signed out while the fetch was on the way: its caller has the profile, nobody is signed in.
        hub.once("GET", "/api/store/auth/me", profile("Late").after(200ms));
        store.setAuthToken(u"tok-1"_s);
        auto late = watch(store.getAccount());
        QTRY_COMPARE(hub.requests().size(), 1);
        store.signOut();
        QTRY_VERIFY(late->done);
        QCOMPARE(late->value->display_name, u"Late"_s);
        QVERIFY(!store.isLoggedIn() && !store.currentUser() && !store.authToken());

        // An answer for the token before the current one arrives last: the current token's user stays.
        hub.once("GET", "/api/store/auth/me", profile("Old").after(300ms));
        hub.on("GET", "/api/store/auth/me", profile("New"));
        store.setAuthToken(u"tok-1"_s);
        auto old = watch(store.getAccount());
        QTRY_COMPARE(hub.requests().size(), 2);
        store.setAuthToken(u"tok-2"_s);
        auto current = watch(store.getAccount());
        QTRY_VERIFY(old->done && current->done);
        QCOMPARE(old->value->display_name, u"Old"_s);
        QCOMPARE(name(), u"New"_s);
        QVERIFY(store.isLoggedIn());
        QCOMPARE(hub.requests()[1].header("Authorization"), QByteArray("Bearer tok-1"));
        QCOMPARE(hub.requests()[2].header("Authorization"), QByteArray("Bearer tok-2"));

        // Two fetches for the same token: the earlier one sent does not win by arriving last.
        hub.once("GET", "/api/store/auth/me", profile("Earlier").after(300ms));
        hub.on("GET", "/api/store/auth/me", profile("Later"));
        auto earlier = watch(store.getAccount());
        QTRY_COMPARE(hub.requests().size(), 4);
        auto later = watch(store.getAccount());
        QTRY_VERIFY(earlier->done && later->done);
        QCOMPARE(name(), u"Later"_s);

        // A login while a fetch is on the way, even one giving back the same token: the login's user stays.
        hub.once("GET", "/api/store/auth/me", profile("Before").after(300ms));
        hub.on("POST", "/api/store/auth/login", ScriptedReply::json(kAuth));
        store.setAuthToken(u"tok-1"_s);
        auto before = watch(store.getAccount());
        QTRY_COMPARE(hub.requests().size(), 6);
        QVERIFY(await(store.login(u"demo@zandrel.dev"_s, u"pw"_s)).succeeded());
        QTRY_VERIFY(before->done);
        QCOMPARE(before->value->display_name, u"Before"_s);
        QCOMPARE(name(), u"Demo"_s);
        QCOMPARE(store.authToken(), u"tok-1"_s);
    }

    void serviceGoneBeforeAnswer()
    {
        FakeHub hub;
        hub.on("POST",
               "/api/store/auth/login",
               ScriptedReply::json(kAuth).after(std::chrono::milliseconds(200)));
        auto* store = new StoreService(hub.baseUrl());
        auto outcome = watch(store->login(QStringLiteral("x"), QStringLiteral("y")));
        delete store;
        QVERIFY(QTest::qWaitFor([&] { return outcome->done; }));
        QCOMPARE(outcome->value->access_token, QStringLiteral("tok-1"));
    }

    void hubNotRunning()
    {
        StoreService store(QStringLiteral("http://127.0.0.1:%1").arg(FakeHub::refusingPort()));
        const auto r = await(store.getCategories());
        QVERIFY(r.errorAs<TransportError>());
        QVERIFY(r.errorText().contains(QStringLiteral("connection refused")));
        StoreService broken(QStringLiteral("not an address"));
        QVERIFY(await(broken.getCategories()).errorAs<InvalidRequestError>());
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
