// The reference Hub as a process: what survives a restart, a corrupt state file, one Hub per home,
// and the start, stop and status commands the application runs.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "HubProcess.h"
#include "hub_api/HubAPIClient.h"
#include "store/StoreError.h"
#include "store/StoreService.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

class TestReferenceHubProcess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stateSurvivesRestart()
    {
        HubProcess hub;
        QVERIFY(hub.serve());
        StoreService store(hub.baseUrl());
        const auto login = await(store.login(u"demo@zandrel.dev"_s, u"zandrel"_s));
        QVERIFY(login.succeeded());
        QVERIFY(await(store.installApp(u"marrowind"_s)).succeeded());
        const PermissionSet permissions{true, false, false};
        {
            const HubAPIClient client(hub.port());
            AIConfig config;
            config.defaultModel = u"mistral"_s;
            config.appOverrides = QMap<QString, QString>{{u"marrowind"_s, u"qwen2.5"_s}};
            QVERIFY(await(client.updateAIConfig(config)).succeeded());
            QVERIFY(await(client.updatePermissions(u"Marrowind"_s, permissions)).succeeded());
            const auto started = await(client.startOAuth(u"anthropic"_s));
            QVERIFY(await(client.completeOAuth(u"anthropic"_s, u"c"_s, started.value->state)).value->success);
        }
        const auto auditBefore = await(HubAPIClient(hub.port()).getAuditLog(1000));
        QCOMPARE(hub.stop(), 0);
        QVERIFY(!QFile::exists(hub.path(u".zandrel/hub/hub.pid"_s)));

        QVERIFY(hub.serve());
        const HubAPIClient client(hub.port());
        const auto apps = await(client.getApps());
        QVERIFY(std::any_of(
            apps.value->begin(), apps.value->end(), [](auto& a) { return a.id == u"marrowind"; }));
        QCOMPARE(await(client.getAIConfig()).value->defaultModel, u"mistral"_s);
        QCOMPARE(await(client.getPermissions()).value->value(u"Marrowind"_s), permissions);
        QVERIFY(await(client.getAuthStatus()).value->first().authenticated);
        QCOMPARE(await(client.getAuditLog(1000)).value->size(), auditBefore.value->size());

        // The store token handed out before the restart is still good.
        StoreService again(hub.baseUrl());
        again.setAuthToken(login.value->access_token);
        QVERIFY(await(again.getAccount()).succeeded());
        QCOMPARE(hub.stop(), 0);
    }

    void corruptStateFileIsMovedAside()
    {
        HubProcess hub;
        const QString folder = hub.path(u".zandrel/hub"_s);
        QVERIFY(QDir().mkpath(folder));
        for (const QByteArray& corrupt :
             {QByteArray("{\"installed\": [ trunc"), QByteArray("{\"installed\": 7}")}) {
            QFile file(folder + u"/state.json"_s);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(corrupt);
            file.close();

            QVERIFY(hub.serve());
            QVERIFY(hub.log().contains(u"warning: The state file"_s));
            const QStringList aside = QDir(folder).entryList({u"state.json.corrupt-*"_s});
            QCOMPARE(aside.size(), 1);
            QFile moved(folder + u'/' + aside.first());
            QVERIFY(moved.open(QIODevice::ReadOnly));
            QCOMPARE(moved.readAll(), corrupt);
            QVERIFY(moved.remove());

            // It starts as on a first start, and writes a state file that reads back.
            QVERIFY(!await(HubAPIClient(hub.port()).getApps()).value->isEmpty());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(QJsonDocument::fromJson(file.readAll()).isObject());
            file.close();
            QCOMPARE(hub.stop(), 0);
        }
    }

    void applicationsFolderThatCannotHoldBundles()
    {
        HubProcess hub;
        QVERIFY(QFile(hub.path(u"Applications"_s)).open(QIODevice::WriteOnly));
        QVERIFY(hub.serve()); // starts all the same, without the preinstalled apps
        QVERIFY(hub.log().contains(u"is not preinstalled"_s));
        QVERIFY(await(HubAPIClient(hub.port()).getApps()).value->isEmpty());

        const auto error = await(StoreService(hub.baseUrl()).installApp(u"orvane"_s)).errorAs<StoreError>();
        QVERIFY(error && error->status() == 500);
        QVERIFY2(error->body().contains(u"could not be installed"_s), qPrintable(error->body()));
        QVERIFY(await(HubAPIClient(hub.port()).getApps()).value->isEmpty());
        QCOMPARE(hub.stop(), 0);
    }

    void startStopStatusAndOneHubPerHome()
    {
        HubProcess home;
        QCOMPARE(home.run(u"hub status"_s).exitCode, 3);
        const auto nothingToStop = home.run(u"hub stop"_s);
        QCOMPARE(nothingToStop.exitCode, 0);
        QVERIFY(nothingToStop.out.contains(u"not running"_s));

        const quint16 port = FakeHub::unusedPort();
        const auto started = home.run(u"hub start --port %1"_s.arg(port));
        QCOMPARE(started.exitCode, 0);
        QVERIFY2(started.elapsedMs < 3000,
                 qPrintable(QString::number(started.elapsedMs))); // well under a second without sanitizers
        QVERIFY(QTest::qWaitFor([&] { return *await(HubAPIClient(port).isRunning()).value; }, 10000));

        const auto status = home.run(u"hub status"_s);
        QCOMPARE(status.exitCode, 0);
        QVERIFY(status.out.contains(QString::number(port)));
        const auto again = home.run(u"hub start"_s);
        QCOMPARE(again.exitCode, 0);
        QVERIFY(again.out.contains(u"already running"_s));
        // A second Hub serving the same home is refused.
        const auto second = home.run(u"hub serve --port %1"_s.arg(FakeHub::unusedPort()));
        QCOMPARE(second.exitCode, 1);
        QVERIFY(second.err.contains(u"already serves this home"_s));

        QCOMPARE(home.run(u"hub stop"_s).exitCode, 0);
        QVERIFY(!*await(HubAPIClient(port).isRunning()).value);
        QCOMPARE(home.run(u"hub status"_s).exitCode, 3);
        QVERIFY(QFile(home.path(u".zandrel/hub/hub.log"_s)).size() > 0);

        // A start that cannot listen says why.
        HubProcess blocker;
        QVERIFY(blocker.serve());
        const auto refused = home.run(u"hub start --port %1"_s.arg(blocker.port()));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(u"Cannot listen"_s), qPrintable(refused.err));
        QCOMPARE(home.run(u"hub status"_s).exitCode, 3);
    }

    void commandLineErrors()
    {
        HubProcess home;
        for (const QString& arguments : {u""_s, u"hub"_s, u"hub serve --port 70000"_s, u"hub stop now"_s}) {
            const auto result = home.run(arguments);
            QCOMPARE(result.exitCode, 2);
            QVERIFY(result.err.contains(u"--help"_s));
        }
        const auto help = home.run(u"--help"_s);
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(u"demo@zandrel.dev"_s));
    }
};

QTEST_GUILESS_MAIN(TestReferenceHubProcess)
#include "tst_reference_hub_process.moc"
