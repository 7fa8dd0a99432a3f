// zandrel: links: which forms are accepted and ignored, what an install link and a sign-in callback
// do against a fake Hub, the token file's contents and permissions, and the install failure line.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "RecordingPlatform.h"
#include "app/HubState.h"
#include "app/LinkRouter.h"
#include "store/StoreService.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;

Q_DECLARE_METATYPE(ZandrelLink::Kind)

namespace {

const QByteArray kInstallResult = R"({"success":true,"app":"weather","version":"1.0.0","path":"/x"})";
const QByteArray kProfile = R"({"id":"u1","email":"ann@example.com","display_name":"Ann"})";

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class TestLinks : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<RecordingPlatform> platform;
    std::unique_ptr<FakeHub> fake;
    std::unique_ptr<HubState> hub;
    std::unique_ptr<StoreService> store;
    std::unique_ptr<LinkRouter> router;
    QStringList output;

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        platform = std::make_unique<RecordingPlatform>(home->path());
        fake = std::make_unique<FakeHub>();
        hub = std::make_unique<HubState>(*platform);
        hub->setPort(fake->port());
        store = std::make_unique<StoreService>(fake->baseUrl());
        output.clear();
        router = std::make_unique<LinkRouter>(
            *store, *hub, *platform, [this](const QString& line) { output.append(line); });
    }

    void parsesOnlyTheTwoForms_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<ZandrelLink::Kind>("kind");
        QTest::addColumn<QString>("value"); // the slug or the access token
        const auto install = ZandrelLink::Kind::Install;
        const auto signIn = ZandrelLink::Kind::SignIn;
        const auto ignored = ZandrelLink::Kind::Ignored;
        QTest::newRow("install") << "zandrel://install/weather" << install << "weather";
        QTest::newRow("install, extra segments") << "zandrel://install/weather/extra" << install << "weather";
        QTest::newRow("install, percent-encoded") << "zandrel://install/we%61ther" << install << "weather";
        QTest::newRow("install, no slug") << "zandrel://install" << ignored << "";
        QTest::newRow("install, empty slug") << "zandrel://install/" << ignored << "";
        QTest::newRow("other scheme") << "https://install/weather" << ignored << "";
        QTest::newRow("scheme in capitals") << "ZANDREL://install/weather" << ignored << "";
        QTest::newRow("host in capitals") << "zandrel://Install/weather" << ignored << "";
        QTest::newRow("no host") << "zandrel:install/weather" << ignored << "";
        QTest::newRow("empty host") << "zandrel:///install/weather" << ignored << "";
        QTest::newRow("unknown host") << "zandrel://open/weather" << ignored << "";
        QTest::newRow("callback") << "zandrel://auth/callback?access_token=abc" << signIn << "abc";
        QTest::newRow("callback deeper") << "zandrel://auth/x/callback?access_token=abc" << signIn << "abc";
        QTest::newRow("callback, decoded token")
            << "zandrel://auth/callback?access_token=a%2Bb+c%3D" << signIn << "a+b+c=";
        QTest::newRow("callback, first item wins")
            << "zandrel://auth/callback?x=1&access_token=one&access_token=two" << signIn << "one";
        QTest::newRow("callback, empty token") << "zandrel://auth/callback?access_token=" << signIn << "";
        QTest::newRow("callback, token without value")
            << "zandrel://auth/callback?access_token&refresh_token=r" << ignored << "";
        QTest::newRow("callback, only refresh") << "zandrel://auth/callback?refresh_token=r" << ignored << "";
        QTest::newRow("callback, no query") << "zandrel://auth/callback" << ignored << "";
        QTest::newRow("auth without callback") << "zandrel://auth/done?access_token=abc" << ignored << "";
        QTest::newRow("token in fragment") << "zandrel://auth/callback#access_token=abc" << ignored << "";
    }

    void parsesOnlyTheTwoForms()
    {
        QFETCH(QString, link);
        QFETCH(ZandrelLink::Kind, kind);
        QFETCH(QString, value);
        const ZandrelLink parsed = ZandrelLink::parse(link);
        QCOMPARE(parsed.kind, kind);
        if (kind == ZandrelLink::Kind::Install)
            QCOMPARE(parsed.slug, value);
        if (kind == ZandrelLink::Kind::SignIn)
            QCOMPARE(parsed.accessToken, value);
    }

    void refreshTokenIsOptional()
    {
        QCOMPARE(
            ZandrelLink::parse(QStringLiteral("zandrel://auth/callback?access_token=a&refresh_token=r%20s"))
                .refreshToken,
            QStringLiteral("r s"));
        QCOMPARE(ZandrelLink::parse(QStringLiteral("zandrel://auth/callback?access_token=a")).refreshToken,
                 std::nullopt);
        QCOMPARE(ZandrelLink::parse(QStringLiteral("zandrel://auth/callback?access_token=a&refresh_token"))
                     .refreshToken,
                 std::nullopt);
    }

    void installLinkInstallsThenRefreshesTheHub()
    {
        fake->on("POST", "/api/store/apps/weather/install", ScriptedReply::json(kInstallResult));
        fake->on("GET", "/api", ScriptedReply::json("{}"));
        fake->on("GET", "/api/apps", ScriptedReply::json(R"([{"id":"1","name":"Weather"}])"));

        QCOMPARE(router->handle(QStringLiteral("zandrel://install/weather/extra")),
                 ZandrelLink::Kind::Install);
        QVERIFY(spinUntil([&] { return hub->apps().size() == 1; }));
        QCOMPARE(fake->requests().size(), 3);
        QCOMPARE(fake->requests()[0].method, QByteArray("POST"));
        QCOMPARE(fake->requests()[0].path, QByteArray("/api/store/apps/weather/install"));
        QCOMPARE(fake->requests()[1].path, QByteArray("/api"));
        QCOMPARE(fake->requests()[2].path, QByteArray("/api/apps"));
        QVERIFY(hub->isRunning());
        QVERIFY(output.isEmpty());
    }

    void failedInstallPrintsOneLineAndChangesNothing()
    {
        fake->on(
            "POST", "/api/store/apps/weather/install", ScriptedReply::json(R"({"error":"not found"})", 404));
        router->handle(QStringLiteral("zandrel://install/weather"));
        QVERIFY(spinUntil([&] { return !output.isEmpty(); }));
        QCOMPARE(
            output,
            QStringList{QStringLiteral("Install from URL failed: API error 404: {\"error\":\"not found\"}")});
        QTest::qWait(50);
        QCOMPARE(fake->requests().size(), 1); // no refresh after a failure
        QVERIFY(!hub->isRunning());

        // A slug that cannot be sent fails the same way, without a request.
        output.clear();
        fake->clearRequests();
        router->handle(QStringLiteral("zandrel://install/bad%20slug"));
        QVERIFY(spinUntil([&] { return !output.isEmpty(); }));
        QVERIFY(output.first().startsWith(QStringLiteral("Install from URL failed: ")));
        QVERIFY(output.first().contains(QStringLiteral("bad slug")));
        QVERIFY(fake->requests().isEmpty());
    }

    void ignoredLinksDoNothing()
    {
        for (const QString& link : {QStringLiteral("zandrel://install/"),
                                    QStringLiteral("mailto:x@y"),
                                    QStringLiteral("zandrel://auth/callback?refresh_token=r"),
                                    QStringLiteral("zandrel://auth/done?access_token=abc")})
            QCOMPARE(router->handle(link), ZandrelLink::Kind::Ignored);
        QTest::qWait(50);
        QVERIFY(fake->requests().isEmpty());
        QVERIFY(!store->authToken());
        QVERIFY(!QFileInfo::exists(platform->tokenFilePath()));
        QVERIFY(output.isEmpty());
    }

    void callbackSetsTheTokenSavesItAndFetchesTheAccount()
    {
        fake->on("GET", "/api/store/auth/me", ScriptedReply::json(kProfile));
        QCOMPARE(router->handle(QStringLiteral("zandrel://auth/callback?access_token=tok%2F1&state=x")),
                 ZandrelLink::Kind::SignIn);
        QCOMPARE(store->authToken(), QStringLiteral("tok/1"));
        QCOMPARE(readJson(platform->tokenFilePath()),
                 (QJsonObject{{QStringLiteral("access_token"), "tok/1"}}));

        QVERIFY(spinUntil([&] { return store->isLoggedIn(); }));
        QCOMPARE(fake->requests().size(), 1);
        QCOMPARE(fake->requests()[0].header("Authorization"), QByteArray("Bearer tok/1"));
        QCOMPARE(store->currentUser()->email, QStringLiteral("ann@example.com"));
    }

    void callbackWithRefreshTokenSavesBoth()
    {
        fake->on("GET", "/api/store/auth/me", ScriptedReply::json("{}", 401));
        router->handle(QStringLiteral("zandrel://auth/callback?access_token=a&refresh_token=r"));
        QCOMPARE(
            readJson(platform->tokenFilePath()),
            (QJsonObject{{QStringLiteral("access_token"), "a"}, {QStringLiteral("refresh_token"), "r"}}));
        // A failed account fetch leaves the token and signs nobody in; nothing is printed.
        QVERIFY(spinUntil([&] { return !fake->requests().isEmpty(); }));
        QTest::qWait(50);
        QCOMPARE(store->authToken(), QStringLiteral("a"));
        QVERIFY(!store->isLoggedIn());
        QVERIFY(output.isEmpty());
    }

    void tokenFileIsOwnerOnlyEvenWhenReplacingAnOlderOne()
    {
        const QString path = platform->tokenFilePath();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(R"({"access_token":"old","refresh_token":"old"})");
        old.close();
        QVERIFY(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                   QFileDevice::ReadOther));

        router->saveAuthTokens(QStringLiteral("new"), std::nullopt);
        QCOMPARE(readJson(path), (QJsonObject{{QStringLiteral("access_token"), "new"}}));
        const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const QFileDevice::Permissions all =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(path).permissions() & all, ownerOnly);

        // A fresh home: the folder is created, the file is owner-only from the start.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(QFileInfo(path).absolutePath()).removeRecursively());
        router->saveAuthTokens(QStringLiteral("fresh"), QStringLiteral("r"));
        QCOMPARE(QFileInfo(path).permissions() & all, ownerOnly);
        QCOMPARE(QFileInfo(path).absolutePath(), home->path() + QStringLiteral("/.zandrel"));
    }

    void tokenIsKeptInMemoryWhenTheFileCannotBeWritten()
    {
        // ~/.zandrel is a file, so nothing can be written below it.
        QFile blocker(home->path() + QStringLiteral("/.zandrel"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        router->handle(QStringLiteral("zandrel://auth/callback?access_token=abc"));
        QCOMPARE(store->authToken(), QStringLiteral("abc"));
        QVERIFY(!QFileInfo(platform->tokenFilePath()).isFile());
        // The account is still fetched (and its failure dropped).
        QVERIFY(spinUntil([&] { return !fake->requestsTo("GET", "/api/store/auth/me").isEmpty(); }));
    }

    void cleanup()
    {
        // Let account fetches and installs still in flight finish before the next test.
        router.reset();
        fake.reset();
        QTest::qWait(50);
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
