// The reference Hub's own API, driven end to end through the application's HubAPIClient, plus raw
// requests for the answers a well-behaved client never provokes: bad input, wrong methods,
// oversized bodies, and the test switches.

#include "AsyncTest.h"
#include "HubProcess.h"
#include "hub_api/HubAPIClient.h"
#include "wire/HttpExchange.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QUrlQuery>

using namespace zandrel;
using namespace zandrel::test;

namespace {

AIProviderConfig withKey(const QString& key)
{
    AIProviderConfig provider;
    provider.apiKey = key;
    return provider;
}

QStringList providersOf(const AIModelsResponse& models)
{
    QStringList providers;
    for (const AIModelInfo& model : models.models) {
        if (!providers.contains(model.provider))
            providers.append(model.provider);
    }
    return providers;
}

} // namespace

class TestReferenceHubApi : public QObject {
    Q_OBJECT

    std::unique_ptr<HubProcess> hub;

    HubAPIClient client() const { return HubAPIClient(hub->port()); }

    HttpResponse raw(QByteArray method, const QString& path, std::optional<QByteArray> body = std::nullopt)
    {
        HttpRequest request{std::move(method),
                            QUrl(hub->baseUrl() + path),
                            {{"Content-Type", "application/json"}},
                            std::move(body)};
        const auto outcome = await(HttpExchange::send(std::move(request)), 30000);
        if (!outcome.succeeded())
            return HttpResponse{0, outcome.errorText().toUtf8()};
        return *outcome.value;
    }

    // A 4xx answer whose body is a JSON object with an error message.
    static bool isJsonClientError(const HttpResponse& response, int status)
    {
        const QJsonObject body = QJsonDocument::fromJson(response.body).object();
        if (response.status != status || body.value(QLatin1StringView("error")).toString().isEmpty()) {
            qWarning("expected %d with an error message, got %d %s",
                     status,
                     response.status,
                     response.body.constData());
            return false;
        }
        return true;
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

    void appsAndSessions()
    {
        QVERIFY(*await(client().isRunning()).value);
        const auto apps = await(client().getApps());
        QVERIFY2(apps.succeeded(), qPrintable(apps.errorText()));
        QVERIFY(!apps.value->isEmpty());

        const auto sessions = await(client().getSessions(QStringLiteral("Orvane")));
        QVERIFY2(sessions.succeeded(), qPrintable(sessions.errorText()));
        QVERIFY(!sessions.value->isEmpty());
        for (const SessionEntry& s : *sessions.value)
            QVERIFY(s.title && s.created && s.updated && s.messageCount && *s.created <= *s.updated);
        // The app id works as well as its name; an app that is not installed is not found.
        QCOMPARE(await(client().getSessions(QStringLiteral("orvane"))).value->size(), sessions.value->size());
        QVERIFY(isJsonClientError(raw("GET", QStringLiteral("/api/apps/grepling/sessions")), 404));

        // Every request is logged with method, path, status and duration.
        QVERIFY(hub->log().contains(QStringLiteral("GET /api/apps/Orvane/sessions 200 ")));
    }

    void aiConfigurationRoundTripAndModels()
    {
        AIConfig config;
        config.providers = QMap<QString, AIProviderConfig>{
            {QStringLiteral("openai"), withKey(QStringLiteral("sk-proj-0123456789abcdefghij"))},
            {QStringLiteral("anthropic"), withKey(QStringLiteral("not-a-key"))}};
        config.defaultModel = QStringLiteral("gpt-4o");
        config.fallbackOrder =
            QStringList{QStringLiteral("openai"), QStringLiteral("anthropic"), QStringLiteral("ollama")};
        config.appOverrides =
            QMap<QString, QString>{{QStringLiteral("orvane"), QStringLiteral("gpt-4o-mini")}};
        const auto saved = await(client().updateAIConfig(config)); // fails unless answered exactly 200
        QVERIFY2(saved.succeeded(), qPrintable(saved.errorText()));
        QCOMPARE(*await(client().getAIConfig()).value, config);

        // Models: a provider with a plausible key contributes, one with a bad key does not, ollama always.
        const auto models = await(client().getAIModels());
        QVERIFY2(models.succeeded(), qPrintable(models.errorText()));
        QCOMPARE(providersOf(*models.value),
                 (QStringList{QStringLiteral("ollama"), QStringLiteral("openai")}));
        QCOMPARE(models.value->defaultModel, QStringLiteral("gpt-4o"));

        // A default that no provider serves is replaced by one that is served.
        config.defaultModel = QStringLiteral("claude-sonnet-4-5");
        QVERIFY(await(client().updateAIConfig(config)).succeeded());
        const auto fallback = await(client().getAIModels());
        QVERIFY(fallback.value->defaultModel && *fallback.value->defaultModel != u"claude-sonnet-4-5");
    }

    void providerTestJudgesKeysAndIsAudited()
    {
        const auto good = await(client().testProvider(
            QStringLiteral("openai"), QStringLiteral("sk-0123456789abcdefghijklmn"), std::nullopt));
        QVERIFY2(good.succeeded(), qPrintable(good.errorText()));
        QVERIFY(good.value->ok && !good.value->error);

        const auto wrongPrefix = await(client().testProvider(
            QStringLiteral("openai"), QStringLiteral("pk-0123456789abcdefghijklmn"), std::nullopt));
        QVERIFY(!wrongPrefix.value->ok);
        QVERIFY(wrongPrefix.value->error && wrongPrefix.value->error->contains(QStringLiteral("\"sk-\"")));

        const auto noKey =
            await(client().testProvider(QStringLiteral("anthropic"), std::nullopt, std::nullopt));
        QVERIFY(!noKey.value->ok && noKey.value->error);
        QVERIFY(await(client().testProvider(QStringLiteral("ollama"), std::nullopt, std::nullopt)).value->ok);
        const auto badUrl = await(
            client().testProvider(QStringLiteral("ollama"), std::nullopt, QStringLiteral("localhost:11434")));
        QVERIFY(!badUrl.value->ok);

        const auto audit = await(client().getAuditLog(1));
        QCOMPARE(audit.value->size(), 1);
        QCOMPARE(audit.value->first().action, QStringLiteral("test"));
        QCOMPARE(audit.value->first().allowed, false);
    }

    void usageIsPlausible()
    {
        const auto usage = await(client().getAIUsage());
        QVERIFY2(usage.succeeded(), qPrintable(usage.errorText()));
        const UsageResponse& u = *usage.value;
        QVERIFY(u.today && u.week && u.month && u.all && u.perApp && u.recentEntries);
        QVERIFY(u.today->count <= u.week->count && u.week->count <= u.month->count &&
                u.month->count <= u.all->count);
        QVERIFY(u.all->count > 0 && u.all->input_tokens > 0);
        const auto apps = await(client().getApps());
        QCOMPARE(u.perApp->size(), apps.value->size());
        for (const AppInfo& app : *apps.value)
            QVERIFY(u.perApp->contains(app.id));
    }

    void permissionsRoundTripWithAudit()
    {
        const auto before = await(client().getPermissions());
        QVERIFY2(before.succeeded(), qPrintable(before.errorText()));
        QVERIFY(before.value->contains(QStringLiteral("Orvane")));

        const PermissionSet changed{false, true, std::nullopt};
        const auto put =
            await(client().updatePermissions(QStringLiteral("Orvane"), changed)); // needs exactly 200
        QVERIFY2(put.succeeded(), qPrintable(put.errorText()));
        QCOMPARE(await(client().getPermissions()).value->value(QStringLiteral("Orvane")), changed);

        const auto audit = await(client().getAuditLog(20));
        QVERIFY(audit.succeeded());
        QVERIFY(audit.value->size() > 1 && audit.value->size() <= 20);
        QCOMPARE(audit.value->first().app, QStringLiteral("Orvane"));
        QCOMPARE(audit.value->first().action, QStringLiteral("perms"));
        for (qsizetype i = 1; i < audit.value->size(); ++i) // newest first
            QVERIFY(*audit.value->at(i - 1).timestamp >= *audit.value->at(i).timestamp);
        QCOMPARE(await(client().getAuditLog(2)).value->size(), 2);

        // App names arrive percent-decoded; an app that is not installed cannot be changed.
        QCOMPARE(raw("PUT", QStringLiteral("/api/permissions/Orv%61ne"), "{\"read\":true,\"execute\":true}")
                     .status,
                 200);
        QCOMPARE(await(client().getPermissions()).value->value(QStringLiteral("Orvane")),
                 (PermissionSet{true, std::nullopt, true}));
        QVERIFY(!await(client().updatePermissions(QStringLiteral("No Such App"), changed)).succeeded());
        QVERIFY(hub->log().contains(QStringLiteral("PUT /api/permissions/No%20Such%20App 404")));
    }

    void providerSignInFlow()
    {
        const auto start = await(client().startOAuth(QStringLiteral("anthropic")));
        QVERIFY2(start.succeeded(), qPrintable(start.errorText()));
        QVERIFY(!start.value->state.isEmpty());
        const QUrl page(start.value->url);
        QCOMPARE(page.host(), QStringLiteral("127.0.0.1"));

        // The page the browser opens shows the code to paste.
        HttpRequest get{"GET", page, {}, std::nullopt};
        const auto shown = await(HttpExchange::send(std::move(get)));
        QCOMPARE(shown.value->status, 200);

        const QString provider = QStringLiteral("anthropic");
        QVERIFY(!await(client().completeOAuth(provider, QStringLiteral("code"), QStringLiteral("forged")))
                     .value->success);
        const auto empty = await(client().completeOAuth(provider, QString(), start.value->state));
        QVERIFY(!empty.value->success && empty.value->error);
        QVERIFY(!(*await(client().getAuthStatus()).value).first().authenticated);

        const auto done =
            await(client().completeOAuth(provider, QStringLiteral("pasted-code"), start.value->state));
        QVERIFY2(done.succeeded() && done.value->success, qPrintable(done.errorText()));
        QVERIFY(done.value->email);
        QVERIFY(!await(client().completeOAuth(provider, QStringLiteral("again"), start.value->state))
                     .value->success);

        const auto status = await(client().getAuthStatus());
        QCOMPARE(status.value->size(), 1);
        QVERIFY(status.value->first().authenticated && status.value->first().expiresAt);

        // Signed in without a key, the provider serves its models.
        AIConfig config;
        config.providers = QMap<QString, AIProviderConfig>{{provider, AIProviderConfig{}}};
        QVERIFY(await(client().updateAIConfig(config)).succeeded());
        QVERIFY(providersOf(*await(client().getAIModels()).value).contains(provider));

        QVERIFY(await(client().signOut(provider)).succeeded());
        QVERIFY(!(*await(client().getAuthStatus()).value).first().authenticated);
        QVERIFY(!providersOf(*await(client().getAIModels()).value).contains(provider));
        QVERIFY(isJsonClientError(
            raw("POST", QStringLiteral("/api/ai/auth/start"), "{\"provider\":\"openai\"}"), 400));
    }

    void badInputIsAnswered4xxAndChangesNothing()
    {
        const AIConfig before = *await(client().getAIConfig()).value;

        QVERIFY(isJsonClientError(raw("PUT", QStringLiteral("/api/ai/config"), "{\"providers\": "), 400));
        QVERIFY(isJsonClientError(raw("PUT", QStringLiteral("/api/ai/config"), "{\"default\": 42}"), 400));
        QVERIFY(isJsonClientError(raw("PUT", QStringLiteral("/api/ai/config"), "[]"), 400));
        QVERIFY(isJsonClientError(raw("PUT", QStringLiteral("/api/ai/config")), 400));
        QVERIFY(isJsonClientError(raw("PUT", QStringLiteral("/api/permissions/Orvane"), "{\"read\":\"yes\"}"),
                                  400));
        QVERIFY(
            isJsonClientError(raw("POST", QStringLiteral("/api/store/auth/login"), "{\"email\":1}"), 400));
        QVERIFY(isJsonClientError(
            raw("POST", QStringLiteral("/api/store/apps/updates/check"), "{\"installed\":[]}"), 400));
        QVERIFY(isJsonClientError(raw("GET", QStringLiteral("/api/audit?limit=ten")), 400));
        QVERIFY(isJsonClientError(raw("GET", QStringLiteral("/api/store/apps?page=0")), 400));
        QVERIFY(isJsonClientError(raw("GET", QStringLiteral("/api/no/such/endpoint")), 404));
        QVERIFY(isJsonClientError(raw("GET", QStringLiteral("/elsewhere")), 404));

        const HttpResponse wrongMethod = raw("DELETE", QStringLiteral("/api/ai/config"));
        QVERIFY(isJsonClientError(wrongMethod, 405));
        QVERIFY(isJsonClientError(raw("GET", QStringLiteral("/api/store/apps/updates/check")), 405));

        QVERIFY(isJsonClientError(
            raw("PUT", QStringLiteral("/api/ai/config"), QByteArray(1024 * 1024 + 1, ' ')), 413));
        // A body far beyond any sensible size is cut off at the connection, and the Hub goes on.
        QCOMPARE(raw("PUT", QStringLiteral("/api/ai/config"), QByteArray(24 * 1024 * 1024, ' ')).status, 0);

        QCOMPARE(*await(client().getAIConfig()).value, before);
        QVERIFY(hub->isServing());
    }

    void testSwitchesFailAndDelay()
    {
        QCOMPARE(hub->stop(), 0);
        QVERIFY(hub->serve({QStringLiteral("--fail"),
                            QStringLiteral("/api/store=503"),
                            QStringLiteral("--fail"),
                            QStringLiteral("/api/store/apps/categories=418"),
                            QStringLiteral("--delay-ms"),
                            QStringLiteral("300")}));
        QElapsedTimer timer;
        timer.start();
        const HttpResponse failed = raw("GET", QStringLiteral("/api/store/apps"));
        QVERIFY(timer.elapsed() >= 300);
        QCOMPARE(failed.status, 503);
        QVERIFY(QJsonDocument::fromJson(failed.body).object().value(QLatin1StringView("error")).isString());
        QCOMPARE(raw("GET", QStringLiteral("/api/store/apps/categories")).status,
                 418); // the longer prefix wins
        QCOMPARE(raw("GET", QStringLiteral("/api/apps")).status, 200);
    }
};

QTEST_GUILESS_MAIN(TestReferenceHubApi)
#include "tst_reference_hub_api.moc"
