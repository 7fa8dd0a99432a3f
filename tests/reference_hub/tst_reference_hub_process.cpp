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

class TestReferenceHubProcess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stateSurvivesRestart()
    {
        HubProcess hub;
        QVERIFY(hub.serve());
        StoreService store(hub.baseUrl());
        const auto login = await(store.login(QStringLiteral("demo@zandrel.dev"), QStringLiteral("zandrel")));
        QVERIFY(login.succeeded());
        QVERIFY(await(store.installApp(QStringLiteral("marrowind"))).succeeded());
        {
            const HubAPIClient client(hub.port());
            AIConfig config;
            config.defaultModel = QStringLiteral("mistral");
            config.appOverrides =
                QMap<QString, QString>{{QStringLiteral("marrowind"), QStringLiteral("qwen2.5")}};
            QVERIFY(await(client.updateAIConfig(config)).succeeded());
            QVERIFY(await(client.updatePermissions(QStringLiteral("Marrowind"),
                                                   PermissionSet{true, false, false}))
                        .succeeded());
            const auto started = await(client.startOAuth(QStringLiteral("anthropic")));
            QVERIFY(await(client.completeOAuth(
                              QStringLiteral("anthropic"), QStringLiteral("c"), started.value->state))
                        .value->success);
        }
        const auto auditBefore = await(HubAPIClient(hub.port()).getAuditLog(1000));
        QCOMPARE(hub.stop(), 0);
        QVERIFY(!QFile::exists(hub.path(QStringLiteral(".zandrel/hub/hub.pid"))));

        QVERIFY(hub.serve());
        const HubAPIClient client(hub.port());
        const auto apps = await(client.getApps());
        QVERIFY(std::any_of(
            apps.value->begin(), apps.value->end(), [](const AppInfo& a) { return a.id == u"marrowind"; }));
        QCOMPARE(await(client.getAIConfig()).value->defaultModel, QStringLiteral("mistral"));
        QCOMPARE(await(client.getPermissions()).value->value(QStringLiteral("Marrowind")),
                 (PermissionSet{true, false, false}));
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
        QVERIFY(QDir().mkpath(hub.path(QStringLiteral(".zandrel/hub"))));
        const QString stateFile = hub.path(QStringLiteral(".zandrel/hub/state.json"));
        for (const QByteArray& corrupt :
             {QByteArray("{\"installed\": [ trunc"), QByteArray("{\"installed\": 7}")}) {
            QFile file(stateFile);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(corrupt);
            file.close();

            QVERIFY(hub.serve());
            QVERIFY(hub.log().contains(QStringLiteral("warning: The state file")));
            const QStringList aside = QDir(hub.path(QStringLiteral(".zandrel/hub")))
                                          .entryList({QStringLiteral("state.json.corrupt-*")});
            QCOMPARE(aside.size(), 1);
            QFile moved(hub.path(QStringLiteral(".zandrel/hub/") + aside.first()));
            QVERIFY(moved.open(QIODevice::ReadOnly));
            QCOMPARE(moved.readAll(), corrupt);
            QVERIFY(moved.remove());

            // It starts as on a first start, and writes a state file that reads back.
            QVERIFY(!await(HubAPIClient(hub.port()).getApps()).value->isEmpty());
            QFile fresh(stateFile);
            QVERIFY(fresh.open(QIODevice::ReadOnly));
            QVERIFY(QJsonDocument::fromJson(fresh.readAll()).isObject());
            QCOMPARE(hub.stop(), 0);
        }
    }

    void applicationsFolderThatCannotHoldBundles()
    {
        HubProcess hub;
        QFile notAFolder(hub.path(QStringLiteral("Applications")));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        notAFolder.close();

        QVERIFY(hub.serve()); // starts all the same, without the preinstalled apps
        QVERIFY(hub.log().contains(QStringLiteral("is not preinstalled")));
        QVERIFY(await(HubAPIClient(hub.port()).getApps()).value->isEmpty());

        StoreService store(hub.baseUrl());
        const auto install = await(store.installApp(QStringLiteral("orvane")));
        const auto error = install.errorAs<StoreError>();
        QVERIFY(error && error->status() == 500);
        QVERIFY2(error->body().contains(QStringLiteral("could not be installed")), qPrintable(error->body()));
        QVERIFY(await(HubAPIClient(hub.port()).getApps()).value->isEmpty());
        QCOMPARE(hub.stop(), 0);
    }

    void oneHubPerHome()
    {
        HubProcess hub;
        QVERIFY(hub.serve());
        const auto second = hub.run({QStringLiteral("hub"),
                                     QStringLiteral("serve"),
                                     QStringLiteral("--port"),
                                     QString::number(FakeHub::unusedPort())});
        QCOMPARE(second.exitCode, 1);
        QVERIFY(second.err.contains(QStringLiteral("already serves this home")));
        QCOMPARE(hub.stop(), 0);
    }

    void startStopStatus()
    {
        HubProcess home;
        const QStringList hubStatus{QStringLiteral("hub"), QStringLiteral("status")};
        const QStringList hubStop{QStringLiteral("hub"), QStringLiteral("stop")};
        QCOMPARE(home.run(hubStatus).exitCode, 3);
        const auto nothingToStop = home.run(hubStop);
        QCOMPARE(nothingToStop.exitCode, 0);
        QVERIFY(nothingToStop.out.contains(QStringLiteral("not running")));

        const quint16 port = FakeHub::unusedPort();
        const auto started = home.run({QStringLiteral("hub"),
                                       QStringLiteral("start"),
                                       QStringLiteral("--port"),
                                       QString::number(port)});
        QCOMPARE(started.exitCode, 0);
        QVERIFY2(started.elapsedMs < 3000,
                 qPrintable(QString::number(started.elapsedMs))); // well under a second without sanitizers
        QVERIFY(spinUntil([&] { return *await(HubAPIClient(port).isRunning()).value; }));

        const auto status = home.run(hubStatus);
        QCOMPARE(status.exitCode, 0);
        QVERIFY(status.out.contains(QString::number(port)));
        const auto again = home.run({QStringLiteral("hub"), QStringLiteral("start")});
        QCOMPARE(again.exitCode, 0);
        QVERIFY(again.out.contains(QStringLiteral("already running")));

        const auto stopped = home.run(hubStop);
        QCOMPARE(stopped.exitCode, 0);
        QVERIFY(!*await(HubAPIClient(port).isRunning()).value);
        QCOMPARE(home.run(hubStatus).exitCode, 3);
        QVERIFY(QFile(home.path(QStringLiteral(".zandrel/hub/hub.log"))).size() > 0);

        // A start that cannot listen says why.
        HubProcess blocker;
        QVERIFY(blocker.serve());
        const auto refused = home.run({QStringLiteral("hub"),
                                       QStringLiteral("start"),
                                       QStringLiteral("--port"),
                                       QString::number(blocker.port())});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("Cannot listen")), qPrintable(refused.err));
        QCOMPARE(home.run(hubStatus).exitCode, 3);
    }

    void commandLineErrors()
    {
        HubProcess home;
        for (const QStringList& args :
             {QStringList{},
              QStringList{QStringLiteral("hub")},
              QStringList{QStringLiteral("hub"),
                          QStringLiteral("serve"),
                          QStringLiteral("--port"),
                          QStringLiteral("70000")},
              QStringList{QStringLiteral("hub"), QStringLiteral("stop"), QStringLiteral("now")}}) {
            const auto result = home.run(args);
            QCOMPARE(result.exitCode, 2);
            QVERIFY(result.err.contains(QStringLiteral("--help")));
        }
        const auto help = home.run({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QStringLiteral("demo@zandrel.dev")));
    }
};

QTEST_GUILESS_MAIN(TestReferenceHubProcess)
#include "tst_reference_hub_process.moc"
