// The reference Hub's own API, driven end to end through the application's HubAPIClient, plus raw
// requests for the answers a well-behaved client never provokes: bad input, wrong methods,
// oversized bodies, and the test switches.

#include "AsyncTest.h"
#include "HubProcess.h"
#include "JsonConformance.h"
#include "hub_api/HubAPIClient.h"
#include "wire/HttpExchange.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

QStringList providersOf(const AIModelsResponse& models)
{
    QStringList providers;
    for (const AIModelInfo& model : models.models) {
        if (!providers.contains(model.provider))
            providers.append(model.provider);
    }
    return providers;
}

// A 4xx answer whose body is a JSON object with an error message.
bool isJsonClientError(const HttpResponse& response, int status)
{
    const QJsonObject body = QJsonDocument::fromJson(response.body).object();
    if (response.status == status && !body.value("error"_L1).toString().isEmpty())
        return true;
    qWarning(
        "expected %d with an error message, got %d %s", status, response.status, response.body.constData());
    return false;
}

} // namespace

class TestReferenceHubApi : public QObject {
    Q_OBJECT

    std::unique_ptr<HubProcess> hub;

    HubAPIClient client() const { return HubAPIClient(hub->port()); }

    // Sends the body unless it is null; a failed exchange answers status 0.
    HttpResponse raw(QByteArray method, const QString& path, const QByteArray& body = {})
    {
        HttpRequest request{std::move(method),
                            QUrl(hub->baseUrl() + path),
                            {{"Content-Type", "application/json"}},
                            body.isNull() ? std::nullopt : std::optional(body)};
        const auto outcome = await(HttpExchange::send(std::move(request)), 30000);
        return outcome.succeeded() ? *outcome.value : HttpResponse{0, outcome.errorText().toUtf8()};
    }

private Q_SLOTS:
    void init()
    {
        hub = std::make_unique<HubProcess>();
        QVERIFY(hub->serve());
    }

    void cleanup()
    {
        QCOMPARE(hub->stop(), 0);
        hub.reset();
    }

    void appsSessionsAndUsage()
    {
        const auto apps = await(client().getApps());
        QVERIFY2(apps.succeeded() && !apps.value->isEmpty(), qPrintable(apps.errorText()));

        const auto sessions = await(client().getSessions(u"Orvane"_s));
        QVERIFY2(sessions.succeeded() && !sessions.value->isEmpty(), qPrintable(sessions.errorText()));
        for (const SessionEntry& s : *sessions.value)
            QVERIFY(s.title && s.created && s.updated && s.messageCount && *s.created <= *s.updated);
        // The app id works as well as its name; an app that is not installed is not found.
        QCOMPARE(await(client().getSessions(u"orvane"_s)).value->size(), sessions.value->size());
        QVERIFY(isJsonClientError(raw("GET", u"/api/apps/grepling/sessions"_s), 404));

        // Every request is logged with method, path, status and duration.
        QVERIFY(hub->log().contains(u"GET /api/apps/Orvane/sessions 200 "_s));

        // Usage: every figure arrives, for every installed app (how they grow and nest is the logic test's).
        const auto usage = await(client().getAIUsage());
        QVERIFY2(usage.succeeded(), qPrintable(usage.errorText()));
        const UsageResponse& u = *usage.value;
        QVERIFY(u.today && u.week && u.month && u.all && u.perApp && u.recentEntries);
        QVERIFY(u.all->count > 0 && u.all->input_tokens > 0);
        QCOMPARE(u.perApp->size(), apps.value->size());
        for (const AppInfo& app : *apps.value)
            QVERIFY(u.perApp->contains(app.id));
    }

    void aiConfigurationRoundTripAndModels()
    {
        AIConfig config;
        config.providers =
            QMap<QString, AIProviderConfig>{{u"openai"_s, {u"sk-proj-0123456789abcdefghij"_s, {}, {}, {}}},
                                            {u"anthropic"_s, {u"not-a-key"_s, {}, {}, {}}}};
        config.defaultModel = u"gpt-4o"_s;
        config.fallbackOrder = QStringList{u"openai"_s, u"anthropic"_s, u"ollama"_s};
        config.appOverrides = QMap<QString, QString>{{u"orvane"_s, u"gpt-4o-mini"_s}};
        const auto saved = await(client().updateAIConfig(config)); // fails unless answered exactly 200
        QVERIFY2(saved.succeeded(), qPrintable(saved.errorText()));
        QCOMPARE(*await(client().getAIConfig()).value, config);

        // Models: a provider with a plausible key contributes, one with a bad key does not, ollama always.
        const auto models = await(client().getAIModels());
        QVERIFY2(models.succeeded(), qPrintable(models.errorText()));
        QCOMPARE(providersOf(*models.value), (QStringList{u"ollama"_s, u"openai"_s}));
        QCOMPARE(models.value->defaultModel, u"gpt-4o"_s);

        // A default that no provider serves is replaced by one that is served.
        config.defaultModel = u"claude-sonnet-4-5"_s;
        QVERIFY(await(client().updateAIConfig(config)).succeeded());
        const auto fallback = await(client().getAIModels());
        QVERIFY(fallback.value->defaultModel && *fallback.value->defaultModel != u"claude-sonnet-4-5");
    }

    void providerTestsAndPermissionChangesAreAudited()
    {
        const auto test =
            [this](const QString& provider, std::optional<QString> key, std::optional<QString> url) {
                return *await(client().testProvider(provider, key, url)).value;
            };
        const AITestResult good = test(u"openai"_s, u"sk-0123456789abcdefghijklmn"_s, std::nullopt);
        QVERIFY(good.ok && !good.error);
        const AITestResult wrongPrefix = test(u"openai"_s, u"pk-0123456789abcdefghijklmn"_s, std::nullopt);
        QVERIFY(!wrongPrefix.ok && wrongPrefix.error && wrongPrefix.error->contains(u"\"sk-\""_s));
        const AITestResult noKey = test(u"anthropic"_s, std::nullopt, std::nullopt);
        QVERIFY(!noKey.ok && noKey.error);
        QVERIFY(test(u"ollama"_s, std::nullopt, std::nullopt).ok);
        QVERIFY(!test(u"ollama"_s, std::nullopt, u"localhost:11434"_s).ok);

        const auto tested = await(client().getAuditLog(1));
        QCOMPARE(tested.value->size(), 1);
        QCOMPARE(tested.value->first().action, u"test"_s);
        QCOMPARE(tested.value->first().allowed, false);

        // Permissions: the set is stored as sent and its change logged, newest first.
        const auto before = await(client().getPermissions());
        QVERIFY2(before.succeeded() && before.value->contains(u"Orvane"_s), qPrintable(before.errorText()));

        const PermissionSet changed{false, true, std::nullopt};
        const auto put = await(client().updatePermissions(u"Orvane"_s, changed)); // needs exactly 200
        QVERIFY2(put.succeeded(), qPrintable(put.errorText()));
        QCOMPARE(await(client().getPermissions()).value->value(u"Orvane"_s), changed);

        const auto audit = await(client().getAuditLog(20));
        QVERIFY(audit.succeeded());
        QVERIFY(audit.value->size() > 1 && audit.value->size() <= 20);
        QCOMPARE(audit.value->first().app, u"Orvane"_s);
        QCOMPARE(audit.value->first().action, u"perms"_s);
        for (qsizetype i = 1; i < audit.value->size(); ++i) // newest first
            QVERIFY(*audit.value->at(i - 1).timestamp >= *audit.value->at(i).timestamp);
        QCOMPARE(await(client().getAuditLog(2)).value->size(), 2);

        // App names arrive percent-decoded; an app that is not installed cannot be changed.
        QCOMPARE(raw("PUT", u"/api/permissions/Orv%61ne"_s, "{\"read\":true,\"execute\":true}").status, 200);
        QCOMPARE(await(client().getPermissions()).value->value(u"Orvane"_s),
                 (PermissionSet{true, std::nullopt, true}));
        QVERIFY(!await(client().updatePermissions(u"No Such App"_s, changed)).succeeded());
        QVERIFY(hub->log().contains(u"PUT /api/permissions/No%20Such%20App 404"_s));
    }

    void providerSignInFlow()
    {
        const QString provider = u"anthropic"_s;
        const auto start = await(client().startOAuth(provider));
        QVERIFY2(start.succeeded() && !start.value->state.isEmpty(), qPrintable(start.errorText()));
        const QUrl page(start.value->url);
        QCOMPARE(page.host(), u"127.0.0.1"_s);
        // The page the browser opens shows the code to paste.
        QCOMPARE(await(HttpExchange::send(HttpRequest{"GET", page, {}, std::nullopt})).value->status, 200);

        const auto complete = [&](const QString& code, const QString& state) {
            return *await(client().completeOAuth(provider, code, state)).value;
        };
        const auto signedIn = [&] { return (*await(client().getAuthStatus()).value).first().authenticated; };
        QVERIFY(!complete(u"code"_s, u"forged"_s).success);
        const OAuthCallbackResponse empty = complete(QString(), start.value->state);
        QVERIFY(!empty.success && empty.error);
        QVERIFY(!signedIn());

        const OAuthCallbackResponse done = complete(u"pasted-code"_s, start.value->state);
        QVERIFY(done.success && done.email);
        QVERIFY(!complete(u"again"_s, start.value->state).success);
        const auto status = await(client().getAuthStatus());
        QCOMPARE(status.value->size(), 1);
        QVERIFY(status.value->first().authenticated && status.value->first().expiresAt);

        // Signed in without a key, the provider serves its models.
        AIConfig config;
        config.providers = QMap<QString, AIProviderConfig>{{provider, AIProviderConfig{}}};
        QVERIFY(await(client().updateAIConfig(config)).succeeded());
        QVERIFY(providersOf(*await(client().getAIModels()).value).contains(provider));

        QVERIFY(await(client().signOut(provider)).succeeded());
        QVERIFY(!signedIn());
        QVERIFY(!providersOf(*await(client().getAIModels()).value).contains(provider));
        QVERIFY(isJsonClientError(raw("POST", u"/api/ai/auth/start"_s, "{\"provider\":\"openai\"}"), 400));
    }

    void badInputIsAnswered4xxAndChangesNothing()
    {
        const AIConfig before = *await(client().getAIConfig()).value;
        const PermissionMap permissionsBefore = *await(client().getPermissions()).value;
        const struct {
            const char* method;
            const char* path;
            const char* body; // none when null
            int status;
        } refused[]{{"PUT", "/api/ai/config", "{\"providers\": ", 400},
                    {"PUT", "/api/ai/config", "{\"default\": 42}", 400},
                    {"PUT", "/api/ai/config", "[]", 400},
                    {"PUT", "/api/ai/config", nullptr, 400},
                    // Bodies that set nothing would erase the stored settings.
                    {"PUT", "/api/ai/config", "{}", 400},
                    {"PUT", "/api/ai/config", "{\"providers\":null,\"other\":1}", 400},
                    {"PUT", "/api/permissions/Orvane", "{}", 400},
                    {"PUT", "/api/permissions/Orvane", "{\"read\":null,\"execute\":null}", 400},
                    {"POST", "/api/ai/test", "{\"provider\":\"ollama\",\"x\":.5}", 400},
                    {"PUT", "/api/permissions/Orvane", "{\"read\":\"yes\"}", 400},
                    {"POST", "/api/store/auth/login", "{\"email\":1}", 400},
                    {"POST", "/api/store/apps/updates/check", "{\"installed\":[]}", 400},
                    {"GET", "/api/audit?limit=ten", nullptr, 400},
                    {"GET", "/api/store/apps?page=0", nullptr, 400},
                    {"GET", "/api/no/such/endpoint", nullptr, 404},
                    {"GET", "/elsewhere", nullptr, 404},
                    {"DELETE", "/api/ai/config", nullptr, 405},
                    {"GET", "/api/store/apps/updates/check", nullptr, 405}};
        for (const auto& r : refused)
            QVERIFY2(isJsonClientError(raw(r.method, QString::fromLatin1(r.path), r.body), r.status), r.path);

        const QString config = u"/api/ai/config"_s;
        QVERIFY(isJsonClientError(raw("PUT", config, QByteArray(1024 * 1024 + 1, ' ')), 413));
        // A body far beyond any sensible size is cut off at the connection, and the Hub goes on.
        QCOMPARE(raw("PUT", config, QByteArray(24 * 1024 * 1024, ' ')).status, 0);

        QCOMPARE(*await(client().getAIConfig()).value, before);
        QCOMPARE(*await(client().getPermissions()).value, permissionsBefore);
        QVERIFY(hub->isServing());
    }

    void onlyStrictJsonBodiesAreRead()
    {
        const QString path = u"/api/permissions/Orvane"_s;
        QCOMPARE(raw("PUT", path, "{\"read\":false,\"write\":false,\"actions\":false}").status, 200);
        const PermissionMap before = *await(client().getPermissions()).value;
        const qsizetype audited = await(client().getAuditLog(500)).value->size();

        // Every table document would grant all three; the refused ones change nothing.
        for (const JsonCase& c : jsonConformanceCases()) {
            if (!c.valid)
                QVERIFY2(isJsonClientError(raw("PUT", path, c.document), 400), c.name);
        }
        QCOMPARE(*await(client().getPermissions()).value, before);
        QCOMPARE(await(client().getAuditLog(500)).value->size(), audited);

        // Each accepted one grants them, starting from none.
        const QByteArray none = "{\"read\":false,\"write\":false,\"actions\":false}";
        for (const JsonCase& c : jsonConformanceCases()) {
            if (!c.valid)
                continue;
            QCOMPARE(raw("PUT", path, none).status, 200);
            QVERIFY2(raw("PUT", path, c.document).status == 200, c.name);
            QVERIFY2(await(client().getPermissions()).value->value(u"Orvane"_s) ==
                         (PermissionSet{true, true, true}),
                     c.name);
        }
    }

    void testSwitchesFailAndDelay()
    {
        QCOMPARE(hub->stop(), 0);
        QVERIFY(hub->serve(u"--fail /api/store=503 --fail /api/store/apps/categories=418 --delay-ms 300"_s));
        QElapsedTimer timer;
        timer.start();
        const HttpResponse failed = raw("GET", u"/api/store/apps"_s);
        QVERIFY(timer.elapsed() >= 300);
        QCOMPARE(failed.status, 503);
        QVERIFY(QJsonDocument::fromJson(failed.body).object().value("error"_L1).isString());
        QCOMPARE(raw("GET", u"/api/store/apps/categories"_s).status, 418); // the longer prefix wins
        QCOMPARE(raw("GET", u"/api/apps"_s).status, 200);
    }
};

QTEST_GUILESS_MAIN(TestReferenceHubApi)
#include "tst_reference_hub_api.moc"
