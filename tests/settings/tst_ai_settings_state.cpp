// The AI settings state against a scripted Hub: what each operation sends and in which order, what a
// failure keeps, and the rules for provider status, keys and the browser sign-in.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "MultiTest.h"
#include "RecordingPlatform.h"
#include "settings/AISettingsState.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kConfig =
    "{\"providers\":{\"anthropic\":{},\"openai\":{\"apiKey\":\"sk-saved\"},\"zeta\":{\"apiKey\":\"\"}},"
    "\"fallbackOrder\":[\"openai\"]}";

} // namespace

class TestAISettingsState : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<RecordingPlatform> platform;
    std::unique_ptr<FakeHub> hub;
    std::unique_ptr<AISettingsState> state;

    QList<QByteArray> paths() const
    {
        QList<QByteArray> list;
        for (const RecordedRequest& request : hub->requests())
            list.append(request.method + ' ' + request.path);
        return list;
    }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        platform = std::make_unique<RecordingPlatform>(home->path());
        hub = std::make_unique<FakeHub>();
        state = std::make_unique<AISettingsState>(*platform, hub->port());
        hub->on("GET", "/api/ai/config", ScriptedReply::json(kConfig));
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json("{\"models\":[{\"id\":\"m1\",\"provider\":\"openai\",\"name\":\"M\","
                                    "\"available\":true}],\"default\":\"m1\"}"));
        hub->on("GET", "/api/ai/usage", ScriptedReply::json("{}"));
        hub->on("GET",
                "/api/ai/auth/status",
                ScriptedReply::json("[{\"provider\":\"anthropic\",\"authenticated\":true}]"));
        hub->on("POST", "/api/ai/test", ScriptedReply::json("{\"ok\":true}"));
    }
    void cleanup()
    {
        state.reset();
        hub.reset();
    }

    void loadFetchesInOrderThenTestsEligibleProvidersOneByOne()
    {
        // The first test answers late: the second is sent only after it.
        hub->once("POST",
                  "/api/ai/test",
                  ScriptedReply::json("{\"ok\":false}").after(std::chrono::milliseconds(150)));
        state->setEditingKey(u"gone"_s, u"typed"_s);
        QVERIFY(await(state->load()).succeeded());
        QCOMPARE(paths(),
                 (QList<QByteArray>{"GET /api/ai/config",
                                    "GET /api/ai/models",
                                    "GET /api/ai/usage",
                                    "GET /api/ai/auth/status",
                                    "POST /api/ai/test",
                                    "POST /api/ai/test"}));
        // anthropic for its sign-in, openai for its key; zeta has an empty key and no sign-in.
        QCOMPARE(hub->requests()[4].json(), (QJsonObject{{u"provider"_s, u"anthropic"_s}}));
        QCOMPARE(hub->requests()[5].json(),
                 (QJsonObject{{u"provider"_s, u"openai"_s}, {u"apiKey"_s, u"sk-saved"_s}}));
        QCOMPARE(hub->requests()[5].answeredBefore, hub->requests()[4].answeredBefore + 1);
        // A failed test outranks listed models.
        QCOMPARE(state->providerStatus(u"anthropic"_s), ProviderStatus::Error);
        QCOMPARE(state->defaultModel(), u"m1"_s);
        QCOMPARE(state->editingKeys(),
                 (QMap<QString, QString>{{u"anthropic"_s, u""_s},
                                         {u"openai"_s, u"sk-saved"_s},
                                         {u"zeta"_s, u""_s},
                                         {u"gone"_s, u"typed"_s}}));
        QVERIFY(!state->isLoading() && !state->error() && state->usage());

        // A failed auth status is silent; a failed model list stops before usage and says why.
        hub->clearRequests();
        hub->on("GET", "/api/ai/auth/status", ScriptedReply::json("{}", 500));
        QVERIFY(await(state->load()).succeeded());
        QVERIFY(!state->error() && state->authStatus().isEmpty());
        hub->clearRequests();
        hub->on("GET", "/api/ai/models", ScriptedReply::json("{\"error\":\"x\"}", 500));
        QVERIFY(await(state->load()).succeeded());
        QCOMPARE(paths(), (QList<QByteArray>{"GET /api/ai/config", "GET /api/ai/models"}));
        QVERIFY(state->error() && !state->isLoading());
        QCOMPARE(state->models().size(), 1); // what came before stays
    }

    void theKeyATestSendsIsTypedElseSavedElseNone()
    {
        QVERIFY(await(state->load()).succeeded());
        hub->clearRequests();
        state->setEditingKey(u"openai"_s, u"sk-typed"_s);
        QVERIFY(await(state->testProvider(u"openai"_s)).succeeded());
        state->setEditingKey(u"openai"_s, QString());
        QVERIFY(await(state->testProvider(u"openai"_s)).succeeded());
        QVERIFY(await(state->testProvider(u"zeta"_s)).succeeded());
        const auto tests = hub->requestsTo("POST", "/api/ai/test");
        QCOMPARE(tests[0].json()[u"apiKey"_s].toString(), u"sk-typed"_s);
        QCOMPARE(tests[1].json()[u"apiKey"_s].toString(), u"sk-saved"_s);
        QVERIFY(!tests[2].json().contains(u"apiKey"_s));

        // A test that cannot reach the Hub is a failed result, and the provider shows an error.
        hub->on("POST", "/api/ai/test", ScriptedReply::close());
        QVERIFY(await(state->testProvider(u"openai"_s)).succeeded());
        QVERIFY(!state->testResults()[u"openai"_s].ok && state->testResults()[u"openai"_s].error);
        QCOMPARE(state->providerStatus(u"openai"_s), ProviderStatus::Error);
        QVERIFY(!state->testingProvider());
    }

    void saveTurnsTypedKeysIntoProvidersAndAFailureKeepsTheEdits()
    {
        hub->on("PUT", "/api/ai/config", ScriptedReply::json("{}", 500));
        state->setEditingKey(u"openai"_s, u"sk-new"_s);
        QVERIFY(await(state->saveConfig()).succeeded());
        const QJsonObject sent = hub->requestsTo("PUT", "/api/ai/config").first().json();
        QCOMPARE(sent,
                 (QJsonObject{
                     {u"providers"_s, QJsonObject{{u"openai"_s, QJsonObject{{u"apiKey"_s, u"sk-new"_s}}}}}}));
        QVERIFY(!sent.contains(u"default"_s));
        QVERIFY(state->error());
        QCOMPARE(state->config().providers->value(u"openai"_s).apiKey, std::optional(u"sk-new"_s));
        QVERIFY(hub->requestsTo("GET", "/api/ai/config").isEmpty()); // nothing reloaded

        hub->on("PUT", "/api/ai/config", ScriptedReply::json("{}"));
        state->setDefaultModel(u"m1"_s);
        QVERIFY(await(state->saveConfig()).succeeded());
        QCOMPARE(hub->requestsTo("PUT", "/api/ai/config").last().json()[u"default"_s].toString(), u"m1"_s);
        QCOMPARE(hub->requestsTo("GET", "/api/ai/config").size(), 1); // then loaded

        // With no provider and no default model, the body still names the (empty) providers.
        AISettingsState empty(*platform, hub->port());
        QVERIFY(await(empty.saveConfig()).succeeded());
        QCOMPARE(hub->requestsTo("PUT", "/api/ai/config").last().json(),
                 (QJsonObject{{u"providers"_s, QJsonObject()}}));
    }

    void theLatestLoadWinsAndNewerEditsOutrankOlderAnswers()
    {
        // Two loads, the first answered last with what the Hub had before: the second's answer stands,
        // and the first stops where it is (no models, no tests of its own).
        hub->once("GET",
                  "/api/ai/config",
                  ScriptedReply::json("{\"providers\":{\"old\":{\"apiKey\":\"sk-old\"}}}").heldBack());
        auto first = watch(state->load());
        QTRY_COMPARE(hub->heldCount(), 1);
        QVERIFY(await(state->load()).succeeded());
        QVERIFY(!state->isLoading());
        QCOMPARE(hub->release(), 1);
        QVERIFY(QTest::qWaitFor([&] { return first->done; }));
        QVERIFY(state->config().providers->contains(u"openai"_s) &&
                !state->config().providers->contains(u"old"_s));
        QCOMPARE(hub->requestsTo("GET", "/api/ai/models").size(), 1);
        QVERIFY(!state->isLoading());

        // A key typed, or a provider added, while a load is on its way survives its answer.
        hub->once("GET", "/api/ai/config", ScriptedReply::json(kConfig).heldBack());
        auto loading = watch(state->load());
        QTRY_COMPARE(hub->heldCount(), 1);
        state->setEditingKey(u"openai"_s, u"sk-typed"_s);
        state->addProvider(u"ollama"_s);
        hub->release();
        QVERIFY(QTest::qWaitFor([&] { return loading->done; }));
        QCOMPARE(state->editingKeys()[u"openai"_s], u"sk-typed"_s);
        QCOMPARE(state->editingKeys()[u"zeta"_s], QString()); // the others follow the Hub
        QVERIFY(state->config().providers->contains(u"ollama"_s));

        // A load sent after those edits has the last word, as before.
        QVERIFY(await(state->load()).succeeded());
        QCOMPARE(state->editingKeys()[u"openai"_s], u"sk-saved"_s);
        QVERIFY(!state->config().providers->contains(u"ollama"_s));
    }

    void savesFollowOneAnotherAndTheLastChangeReachesTheHub()
    {
        hub->once("PUT", "/api/ai/config", ScriptedReply::json("{}").heldBack());
        hub->on("PUT", "/api/ai/config", ScriptedReply::json("{}"));
        const auto puts = [&] { return hub->requestsTo("PUT", "/api/ai/config"); };
        state->chooseDefaultModel(u"a"_s);
        QTRY_COMPARE(hub->heldCount(), 1);
        state->chooseDefaultModel(u"b"_s);
        state->chooseDefaultModel(u"c"_s);
        state->chooseDefaultModel(u"c"_s); // the same model again is no change
        // A load asked for meanwhile (the tab shown again) waits for the saves: its answer would be old.
        QVERIFY(await(state->load()).succeeded());
        // Typed while the configuration is on its way: not in it, and not lost to the reload after.
        state->setEditingKey(u"openai"_s, u"sk-typed"_s);
        QCOMPARE(hub->release(), 1);
        QTRY_COMPARE(puts().size(), 2);
        QCOMPARE(puts()[1].answeredBefore, 1); // nothing overtook the save on its way
        QTRY_VERIFY(!hub->requestsTo("GET", "/api/ai/config").isEmpty());
        QTRY_VERIFY(!state->isLoading() && hub->answered() == int(hub->requests().size()));
        QCOMPARE(puts().size(), 2); // the changes made meanwhile went together
        QCOMPARE(puts()[0].json()[u"default"_s].toString(), u"a"_s);
        QCOMPARE(puts()[1].json()[u"default"_s].toString(), u"c"_s);
        QCOMPARE(hub->requestsTo("GET", "/api/ai/config").size(), 1); // one reload, after the last save
        QCOMPARE(state->editingKeys()[u"openai"_s], u"sk-typed"_s);
        // The reload brought the Hub's default back; loading it saved nothing.
        QCOMPARE(state->defaultModel(), u"m1"_s);
    }

    void providersAddRemoveAndTheirStatus()
    {
        // Fresh: ollama needs no key, openai has none.
        QCOMPARE(state->providerStatus(u"ollama"_s), ProviderStatus::Connected);
        QCOMPARE(state->providerStatus(u"openai"_s), ProviderStatus::NoKey);
        state->addProvider(u"openai"_s);
        QCOMPARE(state->expandedProvider(), std::optional(u"openai"_s));
        state->addProvider(u"mistral"_s);
        state->removeProvider(u"openai"_s);
        QCOMPARE(state->expandedProvider(), std::optional(u"mistral"_s)); // another removal keeps it
        state->removeProvider(u"mistral"_s);
        QVERIFY(!state->expandedProvider() && state->config().providers->isEmpty() &&
                state->editingKeys().isEmpty());

        QVERIFY(await(state->load()).succeeded());
        // Listed models make a provider connected; a sign-in that is not authenticated does not count.
        QCOMPARE(state->providerStatus(u"openai"_s), ProviderStatus::Connected);
        QVERIFY(state->authEntry(u"anthropic"_s));
        hub->on("GET",
                "/api/ai/auth/status",
                ScriptedReply::json("[{\"provider\":\"anthropic\",\"authenticated\":false}]"));
        hub->on("GET", "/api/ai/models", ScriptedReply::json("{\"models\":[]}"));
        hub->on("POST", "/api/ai/test", ScriptedReply::json("{\"ok\":false}"));
        QVERIFY(await(state->load()).succeeded());
        QVERIFY(!state->authEntry(u"anthropic"_s));
        QCOMPARE(state->providerStatus(u"zeta"_s), ProviderStatus::NoKey);
        QCOMPARE(state->providerStatus(u"openai"_s), ProviderStatus::Error); // its test failed
    }

    void completingASignInSplitsThePastedText_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("sentState");
        QTest::newRow("code#state") << u"abc#st9"_s << u"abc"_s << u"st9"_s;
        QTest::newRow("bare code") << u"abc"_s << u"abc"_s << u"pending"_s;
        QTest::newRow("leading hash") << u"#x"_s << u"x"_s << u"pending"_s;
        QTest::newRow("second hash") << u"a#b#c"_s << u"a"_s << u"b#c"_s;
    }
    void completingASignInSplitsThePastedText()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, code);
        QFETCH(QString, sentState);
        hub->on("POST",
                "/api/ai/auth/start",
                ScriptedReply::json("{\"url\":\"http://127.0.0.1:1/consent\",\"state\":\"pending\"}"));
        hub->on("POST", "/api/ai/auth/callback", ScriptedReply::json("{\"success\":true}"));
        QVERIFY(await(state->startOAuth(u"anthropic"_s)).succeeded());
        QCOMPARE(platform->openedUrls, QList<QUrl>{QUrl(u"http://127.0.0.1:1/consent"_s)});
        state->setOauthCode(pasted);
        QVERIFY(await(state->completeOAuth(u"anthropic"_s)).succeeded());
        QCOMPARE(hub->requestsTo("POST", "/api/ai/auth/callback").first().json(),
                 (QJsonObject{{u"provider"_s, u"anthropic"_s}, {u"code"_s, code}, {u"state"_s, sentState}}));
        QVERIFY(!state->oauthPendingState() && state->oauthCode().isEmpty() && !state->oauthLoading());
        QCOMPARE(hub->requestsTo("GET", "/api/ai/config").size(), 1); // reloaded
    }

    void signInFailures()
    {
        // Nothing started: nothing sent.
        QVERIFY(await(state->completeOAuth(u"anthropic"_s)).succeeded());
        QCOMPARE(state->oauthError(), std::optional(u"No pending OAuth flow"_s));
        QVERIFY(hub->requests().isEmpty());

        hub->on(
            "POST", "/api/ai/auth/start", ScriptedReply::json("{\"url\":\"not a url\",\"state\":\"s1\"}"));
        QVERIFY(await(state->startOAuth(u"anthropic"_s)).succeeded());
        QVERIFY(platform->openedUrls.isEmpty() && !state->oauthError());
        // Only a web page: a local file or another program's scheme is not opened.
        for (const char* url :
             {"file:///etc/passwd", "ssh://host/x", "javascript:alert(1)", "https:///nohost"}) {
            hub->once("POST",
                      "/api/ai/auth/start",
                      ScriptedReply::json(QByteArray("{\"url\":\"") + url + "\",\"state\":\"s1\"}"));
            QVERIFY(await(state->startOAuth(u"anthropic"_s)).succeeded());
            QVERIFY2(platform->openedUrls.isEmpty(), url);
        }
        state->setOauthCode(u"c"_s);
        // Refused with and without a reason; the flow and the code stay for a retry.
        hub->once("POST",
                  "/api/ai/auth/callback",
                  ScriptedReply::json("{\"success\":false,\"error\":\"expired\"}", 400));
        QVERIFY(await(state->completeOAuth(u"anthropic"_s)).succeeded());
        QCOMPARE(state->oauthError(), std::optional(u"expired"_s));
        hub->once("POST", "/api/ai/auth/callback", ScriptedReply::json("{\"success\":false}"));
        QVERIFY(await(state->completeOAuth(u"anthropic"_s)).succeeded());
        QCOMPARE(state->oauthError(), std::optional(u"OAuth failed"_s));
        QCOMPARE(state->oauthPendingState(), std::optional(u"s1"_s));
        QCOMPARE(state->oauthCode(), u"c"_s);
        QVERIFY(!state->oauthLoading());
    }

    void anEqualValueNotifiesNobody()
    {
        QSignalSpy defaults(state.get(), &AISettingsState::defaultModelChanged);
        state->setDefaultModel(u"m"_s);
        state->setDefaultModel(u"m"_s);
        QCOMPARE(defaults.count(), 1);
        QVERIFY(await(state->load()).succeeded());
        QSignalSpy again(state.get(), &AISettingsState::defaultModelChanged);
        QSignalSpy configs(state.get(), &AISettingsState::configChanged);
        QVERIFY(await(state->load()).succeeded()); // the same answers change nothing
        QCOMPARE(again.count(), 0);
        QCOMPARE(configs.count(), 0);
    }

    void droppingTheStateMidLoadIsSafe()
    {
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json("{\"models\":[]}").after(std::chrono::milliseconds(100)));
        auto running = watch(state->load());
        QTRY_COMPARE(hub->requestsTo("GET", "/api/ai/models").size(), 1);
        state.reset();
        QVERIFY(QTest::qWaitFor([&] { return running->done; }));
    }
};

ZANDREL_TEST(TestAISettingsState)
#include "tst_ai_settings_state.moc"
