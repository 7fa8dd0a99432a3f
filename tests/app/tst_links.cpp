// zandrel: links: which forms are accepted and ignored, what an install link and a sign-in callback
// do against a fake Hub, the token file's contents and permissions, and the install failure line. Any
// web page can open such a link: an install link only names the app to show, and a callback counts only
// while a sign-in the user started is pending.

#include "AsyncTest.h"
#include "PageFixture.h"
#include "app/LinkRouter.h"
#include "hub_api/HubState.h"
#include "store/PendingSignIn.h"
#include "store/StoreService.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ZandrelLink::Kind)

namespace {

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// The file's permission bits, e.g. 0600; -1 when it does not exist.
int modeOf(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

// The requests the fake Hub received, as "METHOD path".
QStringList requestLines(const FakeHub& fake)
{
    QStringList lines;
    for (const RecordedRequest& request : fake.requests())
        lines.append(QString::fromLatin1(request.method + ' ' + request.path));
    return lines;
}

} // namespace

class TestLinks : public QObject, PageFixture {
    Q_OBJECT

    std::unique_ptr<LinkRouter> router;
    std::unique_ptr<PendingSignIn> signIn;
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    QStringList output;
    QStringList requested; // the slugs install links handed on
    int ignored = 0;

private Q_SLOTS:
    void init()
    {
        setUp();
        output.clear();
        requested.clear();
        ignored = 0;
        signIn = std::make_unique<PendingSignIn>([this] { return now; });
        router = std::make_unique<LinkRouter>(
            *store, *hubState, *platform, *signIn, [this](const QString& line) { output.append(line); });
        router->setInstallRequest([this](const QString& slug) { requested.append(slug); });
        router->setIgnoredCallback([this] { ++ignored; });
    }

    void cleanup()
    {
        // Account fetches and installs still in flight finish before the next test.
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle();
        router.reset();
        signIn.reset();
        tearDown();
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
        QTest::newRow("not a link") << "mailto:x@y" << ignored << "";
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
        QTest::newRow("token with a line break")
            << "zandrel://auth/callback?access_token=abc%0D%0AX-Evil:%201" << ignored << "";
        QTest::newRow("token with a NUL") << "zandrel://auth/callback?access_token=abc%00" << ignored << "";
        QTest::newRow("token with a space") << "zandrel://auth/callback?access_token=a%20b" << ignored << "";
        QTest::newRow("token not ASCII") << "zandrel://auth/callback?access_token=%C3%A4" << ignored << "";
        QTest::newRow("token too long")
            << "zandrel://auth/callback?access_token=" + QString(ZandrelLink::maximumTokenLength + 1, u'a')
            << ignored << "";
        QTest::newRow("token at the longest")
            << "zandrel://auth/callback?access_token=" + QString(ZandrelLink::maximumTokenLength, u'a')
            << signIn << QString(ZandrelLink::maximumTokenLength, u'a');
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
        if (kind == ZandrelLink::Kind::Ignored) {
            // Handled as if delivered, even with a sign-in pending, an ignored link asks nothing, stores
            // nothing, prints nothing and leaves the pending sign-in for the real callback.
            signIn->start();
            QCOMPARE(router->handle(link), kind);
            QVERIFY(!store->authToken() && !QFileInfo::exists(platform->tokenFilePath()));
            QVERIFY(requested.isEmpty() && output.isEmpty() && ignored == 0 && signIn->isPending());
            hub->settle();
            QVERIFY(hub->requests().isEmpty());
        }
    }

    void installLinkOnlyNamesTheAppToShow()
    {
        // Nothing reaches the Hub: the window shows the app's page, and the user decides there.
        QCOMPARE(router->handle(u"zandrel://install/weather/extra?price=0#now"_s),
                 ZandrelLink::Kind::Install);
        QCOMPARE(requested, QStringList{u"weather"_s});
        hub->settle();
        QVERIFY(hub->requests().isEmpty() && output.isEmpty());
    }

    void refreshTokenIsOptional()
    {
        const auto refresh = [](const QString& query) {
            return ZandrelLink::parse(u"zandrel://auth/callback?access_token=a"_s + query).refreshToken;
        };
        QCOMPARE(refresh(u"&refresh_token=r%20s"_s), u"r s"_s);
        QCOMPARE(refresh(QString()), std::nullopt);
        QCOMPARE(refresh(u"&refresh_token"_s), std::nullopt);
    }

    void aConfirmedInstallPrintsItsFailureOrRefreshesTheHub()
    {
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json(R"([{"id":"1","name":"Weather"}])"));
        QStringList notices;
        router->setInstallNotice([&](const QString& app, const std::optional<QString>& failure) {
            notices.append(app + u':' + failure.value_or(u"ok"_s));
        });

        // A failure prints one line and asks nothing more.
        router->installConfirmed(u"weather"_s, u"API error 404: {\"error\":\"not found\"}"_s);
        QCOMPARE(output, QStringList{u"Install from URL failed: API error 404: {\"error\":\"not found\"}"_s});
        hub->settle();
        QVERIFY(hub->requests().isEmpty() && !hubState->isRunning());

        // A success is followed by a look at the Hub.
        router->installConfirmed(u"Weather"_s, std::nullopt);
        QVERIFY(QTest::qWaitFor([&] { return hubState->apps().size() == 1; }));
        QCOMPARE(requestLines(*hub), (QStringList{u"GET /api"_s, u"GET /api/apps"_s}));
        QCOMPARE(output.size(), 1);
        QCOMPARE(notices,
                 (QStringList{u"weather:API error 404: {\"error\":\"not found\"}"_s, u"Weather:ok"_s}));
    }

    void callbackSetsTheTokenSavesItAndFetchesTheAccount()
    {
        hub->on("GET",
                "/api/store/auth/me",
                ScriptedReply::json(R"({"id":"u1","email":"ann@example.com","display_name":"Ann"})"));
        signIn->start(); // the GitHub button
        QCOMPARE(router->handle(u"zandrel://auth/callback?access_token=tok%2F1&state=x"_s),
                 ZandrelLink::Kind::SignIn);
        QVERIFY(!signIn->isPending() && ignored == 0 && output.isEmpty());
        QCOMPARE(store->authToken(), u"tok/1"_s);
        // A fresh home: the folder is created, the file is owner-only from its start.
        QCOMPARE(readJson(platform->tokenFilePath()), (QJsonObject{{u"access_token"_s, "tok/1"}}));
        QCOMPARE(modeOf(platform->tokenFilePath()), 0600);

        QVERIFY(QTest::qWaitFor([&] { return store->isLoggedIn(); }));
        QCOMPARE(requestLines(*hub), QStringList{u"GET /api/store/auth/me"_s});
        QCOMPARE(hub->requests()[0].header("Authorization"), QByteArray("Bearer tok/1"));
        QCOMPARE(store->currentUser()->email, u"ann@example.com"_s);
    }

    void callbackWithRefreshTokenSavesBoth()
    {
        hub->on("GET", "/api/store/auth/me", ScriptedReply::json("{}", 401));
        signIn->start();
        router->handle(u"zandrel://auth/callback?access_token=a&refresh_token=r"_s);
        QCOMPARE(readJson(platform->tokenFilePath()),
                 (QJsonObject{{u"access_token"_s, "a"}, {u"refresh_token"_s, "r"}}));
        // A failed account fetch leaves the token and signs nobody in; nothing is printed.
        QTRY_COMPARE(hub->answered(), 1);
        hub->settle();
        QCOMPARE(store->authToken(), u"a"_s);
        QVERIFY(!store->isLoggedIn() && output.isEmpty());
    }

    void tokenFileIsOwnerOnlyEvenWhenReplacingAnOlderOne()
    {
        const QString path = platform->tokenFilePath();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) &&
                old.write(R"({"access_token":"old","refresh_token":"old"})") > 0);
        old.close();
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0644), 0);

        router->saveAuthTokens(u"new"_s, std::nullopt);
        QCOMPARE(readJson(path), (QJsonObject{{u"access_token"_s, "new"}}));
        QCOMPARE(modeOf(path), 0600);
    }

    void tokenIsKeptInMemoryWhenTheFileCannotBeWritten()
    {
        // ~/.zandrel is a file, so nothing can be written below it.
        QVERIFY(QFile(home->path() + u"/.zandrel"_s).open(QIODevice::WriteOnly));
        signIn->start();
        router->handle(u"zandrel://auth/callback?access_token=abc"_s);
        QCOMPARE(store->authToken(), u"abc"_s);
        QVERIFY(!QFileInfo(platform->tokenFilePath()).isFile());
        // The account is still fetched (and its failure dropped).
        QVERIFY(QTest::qWaitFor([&] { return !hub->requestsTo("GET", "/api/store/auth/me").isEmpty(); }));
    }

    void aCallbackNobodyAskedForChangesNothing()
    {
        const QString path = platform->tokenFilePath();
        const QString unasked = u"zandrel://auth/callback?access_token=planted&refresh_token=planted"_s;
        const auto refusedOnce = [&](int times) {
            return store->authToken() == std::optional(u"mine"_s) && ignored == times &&
                   output.size() == times &&
                   output.last() == u"Sign-in link ignored: no sign-in was started from Zandrel Hub"_s &&
                   signIn->ignoredCallback();
        };

        // Never started: an absent file stays absent.
        store->setAuthToken(u"mine"_s);
        QCOMPARE(router->handle(unasked), ZandrelLink::Kind::SignIn);
        QVERIFY(refusedOnce(1));
        QVERIFY(!QFileInfo::exists(path) && !QFileInfo::exists(home->filePath(u".zandrel"_s)));

        // An existing file stays byte for byte.
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        const QByteArray mine = "{\"access_token\":\"mine\",  \"refresh_token\":\"r\"}\n";
        // The user's own file, in a layout and with permissions the application would not write.
        const auto writeMine = [&] {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(mine) == mine.size() &&
                   file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ReadGroup);
        };
        QVERIFY(writeMine());
        router->handle(unasked);
        QVERIFY(refusedOnce(2));

        // Expired: pressed, then 10 minutes pass on the test's clock.
        signIn->start();
        now += PendingSignIn::lifetime - std::chrono::seconds(1);
        QVERIFY(signIn->isPending());
        now += std::chrono::seconds(1);
        QVERIFY(!signIn->isPending());
        router->handle(unasked);
        QVERIFY(refusedOnce(3));

        // Used: one press counts for one callback; the second is ignored.
        signIn->start();
        QVERIFY(!signIn->ignoredCallback()); // a press ends the notice
        hub->on("GET", "/api/store/auth/me", ScriptedReply::json("{}", 401));
        router->handle(u"zandrel://auth/callback?access_token=pressed"_s);
        QCOMPARE(store->authToken(), u"pressed"_s);
        store->setAuthToken(u"mine"_s);
        QVERIFY(writeMine());
        router->handle(unasked);
        QVERIFY(refusedOnce(4));

        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), mine);
        QCOMPARE(modeOf(path), 0640);
        // The planted token never went out: the one account fetch carried the pressed sign-in's token.
        QTRY_COMPARE(hub->answered(), 1);
        for (const RecordedRequest& request : hub->requests())
            QVERIFY(!request.header("Authorization").contains("planted"));
        QCOMPARE(hub->requests().first().header("Authorization"), QByteArray("Bearer pressed"));
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
