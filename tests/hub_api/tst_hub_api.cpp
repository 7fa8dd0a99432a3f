// The Hub records and the Hub API client: what is sent, what is decoded, what is raised.

#include "AsyncTest.h"
#include "DecodeCheck.h"
#include "FakeHub.h"
#include "hub_api/HubAPIClient.h"

#include <QJsonDocument>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

class TestHubApi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- records ---

    void aiConfigDefaultTravelsAsDefault()
    {
        AIConfig config;
        config.defaultModel = QStringLiteral("gpt");
        QCOMPARE(wire::encodeJson(config), QByteArray(R"({"default":"gpt"})"));
        QVERIFY(!wire::decodeJson<AIConfig>(R"({"defaultModel":"gpt"})").defaultModel);
    }

    void anyCodableValueCases()
    {
        const auto usage = wire::decodeJson<UsageResponse>(
            R"({"recentEntries":[{"s":"x","i":3,"d":3.5,"b":true,"n":null,"arr":[1,2],"obj":{"a":1},"big":1e30}]})");
        const UsageEntry entry = usage.recentEntries->at(0);
        QCOMPARE(entry.value(QStringLiteral("s")).kind(), AnyCodableValue::Kind::String);
        QCOMPARE(entry.value(QStringLiteral("i")), AnyCodableValue(qint64(3)));
        QCOMPARE(entry.value(QStringLiteral("d")), AnyCodableValue(3.5));
        QCOMPARE(entry.value(QStringLiteral("b")), AnyCodableValue(true));
        QVERIFY(entry.value(QStringLiteral("n")).isNull());
        QVERIFY(entry.value(QStringLiteral("arr")).isNull());
        QVERIFY(entry.value(QStringLiteral("obj")).isNull());
        QCOMPARE(entry.value(QStringLiteral("big")).kind(), AnyCodableValue::Kind::Double);
        QCOMPARE(
            wire::encodeJson(entry),
            QByteArray(R"({"arr":null,"b":true,"big":1e+30,"d":3.5,"i":3,"n":null,"obj":null,"s":"x"})"));
    }

    void permissionSetAndAuditIdentity()
    {
        PermissionSet set;
        set.read = false;
        QCOMPARE(wire::encodeJson(set), QByteArray(R"({"read":false})"));
        const auto entries =
            wire::decodeJson<QList<AuditEntry>>(R"([{},{"note":"x"},{"timestamp":"t","action":"read"}])");
        QCOMPARE(entries[0].id(), QStringLiteral("--"));
        QCOMPARE(entries[1].id(), entries[0].id());
        QCOMPARE(entries[2].id(), QStringLiteral("t--read"));
    }

    // Every member of every Hub record, optional ones included, spelt as the Hub sends it. The other
    // fixtures leave optional members out, where a misspelt name would go unnoticed as "absent".
    void everyFieldAsTheHubSpellsIt()
    {
        QCOMPARE(wire::decodeJson<AppInfo>(
                     R"({"id":"app-1","name":"Orvane","version":"1.4.0","description":"Linked notes",)"
                     R"("actions":[{"name":"export","description":"Export a note","type":"command"}],)"
                     R"("files":[{"path":"notes/today.md","format":"markdown"}]})"),
                 (AppInfo{.id = u"app-1"_s,
                          .name = u"Orvane"_s,
                          .version = u"1.4.0"_s,
                          .description = u"Linked notes"_s,
                          .actions = QList<ActionInfo>{{u"export"_s, u"Export a note"_s, u"command"_s}},
                          .files = QList<FileInfo>{{u"notes/today.md"_s, u"markdown"_s}}}));

        QCOMPARE(wire::decodeJson<SessionEntry>(
                     R"({"id":"s-7","title":"Groceries","created":"2024-03-01T09:00:00Z",)"
                     R"("updated":"2024-03-02T18:30:00Z","messageCount":12,"preview":"Milk, eggs"})"),
                 (SessionEntry{.id = u"s-7"_s,
                               .title = u"Groceries"_s,
                               .created = u"2024-03-01T09:00:00Z"_s,
                               .updated = u"2024-03-02T18:30:00Z"_s,
                               .messageCount = 12,
                               .preview = u"Milk, eggs"_s}));

        const auto config = wire::decodeJson<AIConfig>(
            R"({"providers":{"openai":{"apiKey":"sk-1","model":"gpt-4o","baseUrl":"https://llm.example",)"
            R"("models":[{"id":"gpt-4o","name":"GPT-4o","provider":"openai","available":true}]}},)"
            R"("default":"llama3","fallbackOrder":["openai","ollama"],"appOverrides":{"Orvane":"gpt-4o-mini"}})");
        const AIProviderConfig openai{.apiKey = u"sk-1"_s,
                                      .model = u"gpt-4o"_s,
                                      .baseUrl = u"https://llm.example"_s,
                                      .models =
                                          QList<AIModelEntry>{{u"gpt-4o"_s, u"GPT-4o"_s, u"openai"_s, true}}};
        QCOMPARE(config,
                 (AIConfig{.providers = QMap<QString, AIProviderConfig>{{u"openai"_s, openai}},
                           .defaultModel = u"llama3"_s,
                           .fallbackOrder = QStringList{u"openai"_s, u"ollama"_s},
                           .appOverrides = QMap<QString, QString>{{u"Orvane"_s, u"gpt-4o-mini"_s}}}));
        QCOMPARE(wire::decodeJson<AIConfig>(wire::encodeJson(config)), config); // the app sends it back

        QCOMPARE(wire::decodeJson<AIModelsResponse>(
                     R"({"models":[{"id":"llama3","provider":"ollama","name":"Llama 3","available":true}],)"
                     R"("default":"gpt-4o"})"),
                 (AIModelsResponse{.models = {{u"llama3"_s, u"ollama"_s, u"Llama 3"_s, true}},
                                   .defaultModel = u"gpt-4o"_s}));

        QCOMPARE(wire::decodeJson<AITestResult>(R"({"ok":true,"provider":"ollama","error":"slow answer"})"),
                 (AITestResult{true, u"ollama"_s, u"slow answer"_s}));

        // Summaries as {input_tokens, output_tokens, cost_estimate, count}.
        QCOMPARE(
            wire::decodeJson<UsageResponse>(
                R"({"today":{"input_tokens":1,"output_tokens":2,"cost_estimate":0.25,"count":3},)"
                R"("week":{"input_tokens":10,"output_tokens":20,"cost_estimate":2.5,"count":30},)"
                R"("month":{"input_tokens":100,"output_tokens":200,"cost_estimate":25,"count":300},)"
                R"("all":{"input_tokens":1000,"output_tokens":2000,"cost_estimate":250.5,"count":3000},)"
                R"("perApp":{"Orvane":{"input_tokens":7,"output_tokens":8,"cost_estimate":0.75,"count":9}},)"
                R"("recentEntries":[{"app":"Orvane","tokens":42}]})"),
            (UsageResponse{.today = UsageSummary{1, 2, 0.25, 3},
                           .week = UsageSummary{10, 20, 2.5, 30},
                           .month = UsageSummary{100, 200, 25, 300},
                           .all = UsageSummary{1000, 2000, 250.5, 3000},
                           .perApp = QMap<QString, UsageSummary>{{u"Orvane"_s, {7, 8, 0.75, 9}}},
                           .recentEntries = QList{UsageEntry{{u"app"_s, AnyCodableValue(u"Orvane"_s)},
                                                             {u"tokens"_s, AnyCodableValue(qint64(42))}}}}));

        QCOMPARE(wire::decodeJson<PermissionSet>(R"({"read":true,"write":false,"actions":true})"),
                 (PermissionSet{true, false, true}));

        QCOMPARE(wire::decodeJson<AuditEntry>(
                     R"({"timestamp":"2024-03-02T18:30:00Z","app":"Orvane","action":"execute",)"
                     R"("endpoint":"/api/apps/Orvane/export","allowed":false,"actionName":"export",)"
                     R"("note":"blocked by user"})"),
                 (AuditEntry{.timestamp = u"2024-03-02T18:30:00Z"_s,
                             .app = u"Orvane"_s,
                             .action = u"execute"_s,
                             .endpoint = u"/api/apps/Orvane/export"_s,
                             .allowed = false,
                             .actionName = u"export"_s,
                             .note = u"blocked by user"_s}));

        QCOMPARE(wire::decodeJson<AuthStatusEntry>(
                     R"({"provider":"anthropic","authenticated":true,"email":"me@zandrel.dev",)"
                     R"("expiresAt":"2030-01-01T00:00:00Z","tokenType":"oauth"})"),
                 (AuthStatusEntry{.provider = u"anthropic"_s,
                                  .authenticated = true,
                                  .email = u"me@zandrel.dev"_s,
                                  .expiresAt = u"2030-01-01T00:00:00Z"_s,
                                  .tokenType = u"oauth"_s}));

        QCOMPARE(wire::decodeJson<OAuthCallbackResponse>(
                     R"({"success":true,"email":"me@zandrel.dev","error":"partial scope"})"),
                 (OAuthCallbackResponse{true, u"me@zandrel.dev"_s, u"partial scope"_s}));
    }

    // --- client ---

    void baseAddressAndPaths()
    {
        QCOMPARE(HubAPIClient(3456).baseURL().toString(), QStringLiteral("http://127.0.0.1:3456/api"));

        FakeHub hub;
        const HubAPIClient client(hub.port());
        hub.on("GET", "/api/apps/weather/sessions", ScriptedReply::json(R"([{"id":"s1","messageCount":4}])"));
        const auto sessions = await(client.getSessions(QStringLiteral("weather")));
        QVERIFY2(sessions.succeeded(), qPrintable(sessions.errorText()));
        QCOMPARE(sessions.value->at(0).messageCount, 4);

        await(client.getSessions(QStringLiteral("my app")));
        await(client.getSessions(QStringLiteral("a/b?c#d")));
        await(client.updatePermissions(QStringLiteral("my app"), PermissionSet{}));
        const QList<RecordedRequest>& sent = hub.requests();
        QCOMPARE(sent.size(), 4);
        QCOMPARE(sent[1].path, QByteArray("/api/apps/my%20app/sessions"));
        QCOMPARE(sent[2].path, QByteArray("/api/apps/a%2Fb%3Fc%23d/sessions"));
        QVERIFY(!sent[2].hasQuery);
        QCOMPARE(sent[3].method, QByteArray("PUT"));
        QCOMPARE(sent[3].path, QByteArray("/api/permissions/my%20app"));
    }

    void dotNamesAreRefusedUnsent()
    {
        FakeHub hub;
        const HubAPIClient client(hub.port());
        for (const QString& name : {QStringLiteral(".."), QStringLiteral("."), QString()}) {
            const auto r = await(client.updatePermissions(name, PermissionSet{}));
            QVERIFY(r.errorAs<InvalidRequestError>());
        }
        QVERIFY(hub.requests().isEmpty());
    }

    void isRunningNeverFails()
    {
        QVERIFY(!await(HubAPIClient(FakeHub::refusingPort()).isRunning()).value.value());
        FakeHub hub;
        const HubAPIClient client(hub.port());
        for (int status : {404, 500, 204}) {
            hub.on("GET", "/api", ScriptedReply::json("{}", status));
            QVERIFY2(!*await(client.isRunning()).value, qPrintable(QString::number(status)));
        }
        hub.on("GET", "/api", ScriptedReply::json("not json at all"));
        QVERIFY(*await(client.isRunning()).value);
        hub.on("GET", "/api", ScriptedReply::close());
        QVERIFY(!*await(client.isRunning()).value);
        QCOMPARE(hub.requests().last().path, QByteArray("/api"));
        QVERIFY(!HubAPIClient(-1).baseURL().isValid());
        QVERIFY(!*await(HubAPIClient(-1).isRunning()).value);
    }

    void auditLogAsksWithLimit()
    {
        FakeHub hub;
        hub.on("GET", "/api/audit", ScriptedReply::json(R"([{"app":"Orvane","allowed":true}])"));
        const auto log = await(HubAPIClient(hub.port()).getAuditLog(20));
        QVERIFY(log.succeeded());
        QCOMPARE(log.value->at(0).allowed, true);
        QCOMPARE(hub.requests().at(0).query, QByteArray("limit=20"));
    }

    void permissionsParsedLeniently_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("expected"); // the map re-encoded, or "error"
        QTest::newRow("wrapped, execute")
            << QByteArray(R"({"apps":{"weather":{"read":true,"execute":false}}})")
            << QByteArray(R"({"weather":{"actions":false,"read":true}})");
        QTest::newRow("actions wins over execute")
            << QByteArray(R"({"weather":{"actions":true,"execute":false}})")
            << QByteArray(R"({"weather":{"actions":true}})");
        QTest::newRow("actions not boolean, execute is")
            << QByteArray(R"({"weather":{"actions":"yes","execute":true}})")
            << QByteArray(R"({"weather":{"actions":true}})");
        QTest::newRow("empty array") << QByteArray("[]") << QByteArray("{}");
        QTest::newRow("empty object") << QByteArray("{}") << QByteArray("{}");
        QTest::newRow("scalar") << QByteArray("5") << QByteArray("{}");
        QTest::newRow("apps not an object") << QByteArray(R"({"apps":5,"weather":{"read":true}})")
                                            << QByteArray(R"({"weather":{"read":true}})");
        QTest::newRow("non-object apps skipped, wrong types absent")
            << QByteArray(R"({"a":true,"b":{"read":"yes","write":1},"c":{"write":true}})")
            << QByteArray(R"({"b":{},"c":{"write":true}})");
        QTest::newRow("not JSON") << QByteArray("<html>") << QByteArray("error");
    }
    void permissionsParsedLeniently()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, expected);
        FakeHub hub;
        hub.on("GET", "/api/permissions", ScriptedReply::json(body));
        const auto r = await(HubAPIClient(hub.port()).getPermissions());
        if (expected == "error") {
            QVERIFY(r.errorAs<DecodeError>());
        } else {
            QVERIFY2(r.succeeded(), qPrintable(r.errorText()));
            QCOMPARE(wire::encodeJson(*r.value), expected);
        }
    }

    void changesNeedExactly200()
    {
        FakeHub hub;
        const HubAPIClient client(hub.port());
        PermissionSet perms;
        perms.read = true;
        perms.actions = false;
        for (int status : {200, 201, 204, 500}) {
            hub.on("PUT", "/api/permissions/Orvane", ScriptedReply::json("", status));
            hub.on("PUT", "/api/ai/config", ScriptedReply::json("{}", status));
            const auto p = await(client.updatePermissions(QStringLiteral("Orvane"), perms));
            const auto c = await(client.updateAIConfig(AIConfig{}));
            QCOMPARE(p.succeeded(), status == 200);
            QCOMPARE(c.succeeded(), status == 200);
            if (status != 200) {
                QVERIFY(p.errorAs<BadServerResponseError>());
                QVERIFY(c.errorAs<BadServerResponseError>());
            }
        }
        const RecordedRequest put = hub.requestsTo("PUT", "/api/permissions/Orvane").first();
        QCOMPARE(put.header("Content-Type"), QByteArray("application/json"));
        QCOMPARE(put.body, QByteArray(R"({"actions":false,"read":true})"));
        QCOMPARE(hub.requestsTo("PUT", "/api/ai/config").first().body, QByteArray("{}"));
    }

    void postBodies()
    {
        FakeHub hub;
        const HubAPIClient client(hub.port());
        hub.on("POST", "/api/ai/test", ScriptedReply::json(R"({"ok":false,"error":"bad key"})"));
        hub.on("POST", "/api/ai/auth/start", ScriptedReply::json("{\"url\":\"https://x\",\"state\":\"st\"}"));
        hub.on("POST", "/api/ai/auth/callback", ScriptedReply::json(R"({"success":true,"email":"a@b"})"));
        hub.on("POST", "/api/ai/auth/signout", ScriptedReply::json(R"({"error":"boom"})", 500));

        const auto bare = await(client.testProvider(QStringLiteral("openai"), std::nullopt, std::nullopt));
        QCOMPARE(bare.value->error, QStringLiteral("bad key"));
        await(client.testProvider(QStringLiteral("ollama"), QStringLiteral("k"), QStringLiteral("http://h")));
        const auto start = await(client.startOAuth(QStringLiteral("anthropic")));
        QCOMPARE(*start.value, (OAuthStartResponse{u"https://x"_s, u"st"_s}));
        const auto done = await(
            client.completeOAuth(QStringLiteral("anthropic"), QStringLiteral("c"), QStringLiteral("st")));
        QCOMPARE(done.value->email, QStringLiteral("a@b"));
        QVERIFY(await(client.signOut(QStringLiteral("anthropic"))).succeeded()); // status is not looked at

        const auto& sent = hub.requests();
        QCOMPARE(sent[0].json(), QJsonObject({{"provider", "openai"}}));
        QCOMPARE(sent[1].json(),
                 QJsonObject({{"provider", "ollama"}, {"apiKey", "k"}, {"baseUrl", "http://h"}}));
        QCOMPARE(sent[2].json(), QJsonObject({{"provider", "anthropic"}}));
        QCOMPARE(sent[3].json(), QJsonObject({{"provider", "anthropic"}, {"code", "c"}, {"state", "st"}}));
        QCOMPARE(sent[4].json(), QJsonObject({{"provider", "anthropic"}}));
        for (const auto& r : sent) {
            QCOMPARE(r.method, QByteArray("POST"));
            QCOMPARE(r.header("Content-Type"), QByteArray("application/json"));
            QVERIFY(!r.hasHeader("Authorization"));
        }
    }

    void getFailuresAreDecodeErrors()
    {
        FakeHub hub;
        const HubAPIClient client(hub.port());
        hub.on("GET", "/api/apps", ScriptedReply::json(R"({"error":"Hub is busy"})", 503));
        const auto apps = await(client.getApps());
        QVERIFY(apps.errorAs<DecodeError>());
        QVERIFY(!apps.errorText().contains(QStringLiteral("Hub is busy")));

        // The status is not looked at: an error answer that decodes is data.
        hub.on("GET",
               "/api/ai/auth/status",
               ScriptedReply::json(R"([{"provider":"anthropic","authenticated":false}])", 500));
        const auto status = await(client.getAuthStatus());
        QVERIFY(status.succeeded());
        QCOMPARE(status.value->at(0).provider, QStringLiteral("anthropic"));

        const auto refused = await(HubAPIClient(FakeHub::refusingPort()).getAIConfig());
        QVERIFY(refused.errorAs<TransportError>());
    }
};

QTEST_GUILESS_MAIN(TestHubApi)
#include "tst_hub_api.moc"
