// HubState: probing, listing, the stale-error rules, the Hub command line and overlapping refreshes.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "RecordingPlatform.h"
#include "hub_api/HubAPIClient.h"
#include "hub_api/HubState.h"
#include "wire/HttpExchange.h"

#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {
const QByteArray kTwoApps = R"([{"id":"1","name":"Orvane"},{"id":"2","name":"Dulvet"}])";

// A plain TCP listener that is not an HTTP server: it greets in another protocol, or hangs up.
class RawPeer {
public:
    enum class Mode { Greets, HangsUp };

    explicit RawPeer(Mode mode)
    {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this, mode] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                if (mode == Mode::Greets)
                    socket->write("SSH-2.0-OpenSSH_9.2\r\n");
                else
                    socket->close();
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }

    int port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
};

} // namespace

class TestHubState : public QObject {
    Q_OBJECT

    RecordingPlatform platform{QStringLiteral("/nonexistent-home")};

private Q_SLOTS:
    void init() { platform.launches.clear(); }

    void startsNotRunning()
    {
        HubState state(platform);
        QVERIFY(!state.isRunning());
        QVERIFY(state.apps().isEmpty() && state.appDetails().isEmpty() && !state.error());
        QCOMPARE(state.port(), 3456);
        QSignalSpy portSpy(&state, &HubState::portChanged);
        state.setPort(3456);
        QCOMPARE(portSpy.count(), 0);
        state.setPort(4000);
        QCOMPARE(portSpy.count(), 1);
    }

    void equalResultsNotifyNobodyAndAListingFailureKeepsAppsAndSetsError()
    {
        FakeHub hub;
        HubState state(platform);
        state.setPort(hub.port());
        hub.on("GET", "/api", ScriptedReply::json("{}"));
        hub.on("GET", "/api/apps", ScriptedReply::json(kTwoApps));
        QSignalSpy running(&state, &HubState::isRunningChanged);
        QSignalSpy apps(&state, &HubState::appsChanged);
        QSignalSpy error(&state, &HubState::errorChanged);
        QVERIFY(await(state.refresh()).succeeded());
        QVERIFY(state.isRunning());
        QCOMPARE(state.apps().size(), 2);
        QVERIFY(!state.error());
        await(state.refresh());
        QCOMPARE(running.count(), 1);
        QCOMPARE(apps.count(), 1);
        QCOMPARE(error.count(), 0);

        hub.on("GET", "/api/apps", ScriptedReply::json(R"({"error":"database locked"})"));
        QVERIFY(await(state.refresh()).succeeded());
        QVERIFY(state.isRunning());
        QCOMPARE(state.apps().size(), 2);
        QCOMPARE(apps.count(), 1);
        QVERIFY(state.error().has_value());
        QVERIFY(state.error()->contains(QStringLiteral("expected an array")));

        // Nothing listening any more: not running, no apps, the stale error stays.
        const QString staleError = *state.error();
        state.setPort(FakeHub::refusingPort());
        QVERIFY(await(state.refresh()).succeeded());
        QVERIFY(!state.isRunning());
        QVERIFY(state.apps().isEmpty());
        QCOMPARE(state.error(), staleError);

        // A later successful listing clears it.
        state.setPort(hub.port());
        hub.on("GET", "/api/apps", ScriptedReply::json("[]"));
        QVERIFY(await(state.refresh()).succeeded());
        QVERIFY(state.isRunning());
        QVERIFY(!state.error());
    }

    void problemSaysWhyTheHubIsDown()
    {
        FakeHub hub;
        HubState state(platform);
        QSignalSpy problemSpy(&state, &HubState::problemChanged);
        const auto refreshAt = [&](int port) {
            state.setPort(port);
            return await(state.refresh()).succeeded();
        };

        // A port answering another status is not the Hub, and the apps are not asked for.
        hub.on("GET", "/api", ScriptedReply::json("{}", 404));
        QVERIFY(refreshAt(hub.port()));
        QVERIFY(!state.isRunning());
        QCOMPARE(state.problem(), u"Port %1 answers, but not as the Hub (HTTP 404)"_s.arg(hub.port()));
        QCOMPARE(hub.requests().size(), 1);

        // Any 200 counts as running and clears the explanation.
        hub.on("GET", "/api", ScriptedReply::json("not even JSON"));
        hub.on("GET", "/api/apps", ScriptedReply::json("[]"));
        QVERIFY(refreshAt(hub.port()));
        QVERIFY(state.isRunning());
        QVERIFY(!state.problem());
        QCOMPARE(problemSpy.count(), 2);

        // A peer that speaks another protocol, or hangs up at once.
        for (const RawPeer::Mode mode : {RawPeer::Mode::Greets, RawPeer::Mode::HangsUp}) {
            RawPeer peer(mode);
            QVERIFY(refreshAt(peer.port()));
            QVERIFY(!state.isRunning());
            QCOMPARE(state.problem(), u"Port %1 is used by another program"_s.arg(peer.port()));
        }

        // A port that cannot be: nothing is tried.
        for (const int port : {0, 70000, -1}) {
            QVERIFY(refreshAt(port));
            QCOMPARE(state.problem(), u"Port %1 is outside 1–65535"_s.arg(port));
        }

        // Nothing listening, nothing pressed: just stopped.
        QVERIFY(refreshAt(FakeHub::refusingPort()));
        QVERIFY(!state.problem());
    }

    void aFailedStartIsExplainedUntilTheHubStopsOrRuns()
    {
        QTemporaryDir home;
        RecordingPlatform local(home.path());
        HubState state(local);
        state.setPort(FakeHub::refusingPort());
        state.setRefreshDelays(50ms, 20ms);

        // The first look after the start finds nothing; only the second one says so.
        QSignalSpy problemSpy(&state, &HubState::problemChanged);
        state.startHub();
        QTRY_COMPARE(state.problem(), u"No answer after Start"_s);
        QCOMPARE(problemSpy.count(), 1);
        QVERIFY(QDir().mkpath(home.filePath(u".zandrel/hub"_s)));
        QVERIFY(QFile(home.filePath(u".zandrel/hub/hub.log"_s)).open(QIODevice::WriteOnly));
        state.startHub();
        QTRY_COMPARE(state.problem(), u"No answer after Start; see ~/.zandrel/hub/hub.log"_s);
        // A plain refresh finds the same: the explanation stays.
        await(state.refresh());
        QCOMPARE(state.problem(), u"No answer after Start; see ~/.zandrel/hub/hub.log"_s);
        // After a stop, a Hub that does not answer is what was asked for.
        state.stopHub();
        QTRY_VERIFY(!state.problem());

        // A Hub that comes up late, between the two looks, is simply running. The state saw it running
        // before, so the first look, finding nothing, shows as the change to stopped.
        FakeHub late;
        late.on("GET", "/api", ScriptedReply::json("{}"));
        late.on("GET", "/api/apps", ScriptedReply::json("[]"));
        state.setPort(late.port());
        await(state.refresh());
        QVERIFY(state.isRunning());
        state.setPort(FakeHub::refusingPort());
        state.setRefreshDelays(300ms, 20ms);
        QSignalSpy running(&state, &HubState::isRunningChanged);
        state.startHub();
        QVERIFY(running.wait());
        QVERIFY(!state.isRunning());
        state.setPort(late.port());
        QTRY_VERIFY(state.isRunning());
        QVERIFY(!state.problem());
    }

    void anUnansweredProbeGivesTheTransportsWordsAndAPortChangeForgetsThem()
    {
        FakeHub slow;
        slow.on("GET", "/api", ScriptedReply::json("{}").after(2s));
        HubState state(platform);
        state.setPort(slow.port());
        HttpExchange::setTimeout(200ms);
        const auto restore = qScopeGuard([] { HttpExchange::setTimeout(60s); });
        await(state.refresh());
        QVERIFY(!state.isRunning());
        QVERIFY2(state.problem() && state.problem()->startsWith(
                                        u"The Hub at 127.0.0.1:%1 did not answer"_s.arg(slow.port())),
                 qPrintable(state.problem().value_or(u"(none)"_s)));
        state.setPort(slow.port() + 1);
        QVERIFY(!state.problem());
    }

    void aMissingCommandLaunchesNothing()
    {
        FakeHub hub;
        hub.on("GET", "/api", ScriptedReply::json("{}"));
        HubState state(platform);
        state.setPort(hub.port());
        state.setRefreshDelays(20ms, 20ms);
        platform.missingCommands = {u"zandrel"_s};
        state.startHub();
        state.stopHub();
        platform.missingCommands.clear();
        QCOMPARE(state.problem(), u"The zandrel command is not on PATH"_s);
        QVERIFY(platform.launches.isEmpty());

        // The real lookup, on a PATH without and then with the command.
        QTemporaryDir bin;
        const QByteArray savedPath = qgetenv("PATH");
        const auto restore = qScopeGuard([&] {
            qputenv("PATH", savedPath);
            platform.realCommandLookup = false;
        });
        qputenv("PATH", bin.path().toUtf8());
        platform.realCommandLookup = true;
        state.startHub();
        QVERIFY(platform.launches.isEmpty());
        QFile command(bin.filePath(u"zandrel"_s));
        QVERIFY(command.open(QIODevice::WriteOnly));
        command.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        command.close();
        state.startHub();
        QCOMPARE(platform.launches.size(), 1);
        QTRY_VERIFY(state.isRunning() && !state.problem());
        // Only this start looked at the Hub: the ones without the command scheduled no refresh, and
        // theirs would have come first.
        QCOMPARE(hub.requestsTo("GET", "/api").size(), 1);
    }

    void theLatestRefreshWins()
    {
        FakeHub hub;
        HubState state(platform);
        state.setPort(hub.port());
        hub.on("GET", "/api", ScriptedReply::json("{}"));
        // The first listing answers late with one app; the second at once with two.
        hub.once("GET", "/api/apps", ScriptedReply::json(R"([{"id":"1","name":"Orvane"}])").heldBack());
        hub.once("GET", "/api/apps", ScriptedReply::json(kTwoApps));
        auto first = watch(state.refresh());
        QVERIFY(QTest::qWaitFor([&] { return hub.requestsTo("GET", "/api/apps").size() == 1; }));
        auto second = watch(state.refresh());
        QVERIFY(QTest::qWaitFor([&] { return second->done; }));
        QCOMPARE(state.apps().size(), 2);
        QCOMPARE(hub.release(), 1);
        QVERIFY(QTest::qWaitFor([&] { return first->done; }));
        QCOMPARE(state.apps().size(), 2); // the earlier answer, come late, changes nothing

        // A look still out when the port changes tells nothing about the new port.
        hub.once("GET", "/api/apps", ScriptedReply::json(R"([{"id":"1","name":"Orvane"}])").heldBack());
        auto old = watch(state.refresh());
        QVERIFY(QTest::qWaitFor([&] { return hub.requestsTo("GET", "/api/apps").size() == 3; }));
        state.setPort(FakeHub::refusingPort());
        QCOMPARE(hub.release(), 1);
        QVERIFY(QTest::qWaitFor([&] { return old->done; }));
        QCOMPARE(state.apps().size(), 2);
    }

    void startAndStopRunTheHubCommandThenRefresh()
    {
        FakeHub hub;
        HubState state(platform);
        state.setPort(hub.port());
        state.setRefreshDelays(300ms, 150ms);
        hub.on("GET", "/api", ScriptedReply::json("{}"));
        hub.on("GET", "/api/apps", ScriptedReply::json(kTwoApps));

        QSignalSpy running(&state, &HubState::isRunningChanged);
        QElapsedTimer sinceStart;
        sinceStart.start();
        state.startHub();
        QCOMPARE(platform.launches.size(), 1);
        QCOMPARE(platform.launches[0].program, QStringLiteral("/usr/bin/env"));
        QCOMPARE(platform.launches[0].arguments,
                 QStringList({QStringLiteral("zandrel"), QStringLiteral("hub"), QStringLiteral("start")}));
        QVERIFY(!state.isRunning()); // nothing is assigned at once
        QVERIFY(running.wait());
        QVERIFY(sinceStart.elapsed() >= 300); // and nothing is asked before the delay
        QVERIFY(QTest::qWaitFor([&] { return state.isRunning() && state.apps().size() == 2; }));

        hub.on("GET", "/api", ScriptedReply::json("{}", 503));
        state.stopHub();
        QCOMPARE(platform.launches[1].arguments,
                 QStringList({QStringLiteral("zandrel"), QStringLiteral("hub"), QStringLiteral("stop")}));
        QVERIFY(QTest::qWaitFor([&] { return !state.isRunning(); }));
        QVERIFY(state.apps().isEmpty());

        // A launch that fails is silent; pressing twice launches twice.
        const qsizetype probes = hub.requestsTo("GET", "/api").size();
        platform.launchSucceeds = false;
        state.startHub();
        state.startHub();
        platform.launchSucceeds = true;
        QCOMPARE(platform.launches.size(), 4);
        QVERIFY(!state.error());
        // Each press looks again after the delay; the looks are waited for, so that no refresh still
        // waits for its delay when the test ends.
        QTRY_COMPARE(hub.requestsTo("GET", "/api").size(), probes + 2);
        QTRY_COMPARE(hub.answered(), int(hub.requests().size()));
    }

    void appDetailsOnlyWhileRunning()
    {
        FakeHub hub;
        HubState state(platform);
        state.setPort(hub.port());
        QVERIFY(await(state.loadAppDetail(QStringLiteral("Orvane"))).succeeded());
        QVERIFY(hub.requests().isEmpty());

        hub.on("GET", "/api", ScriptedReply::json("{}"));
        hub.on("GET", "/api/apps", ScriptedReply::json("[]"));
        hub.on("GET", "/api/apps/Orvane/sessions", ScriptedReply::json(R"([{"id":"s1","title":"Hello"}])"));
        await(state.refresh());
        QVERIFY(await(state.loadAppDetail(QStringLiteral("Orvane"))).succeeded());
        QCOMPARE(state.appDetails().value(QStringLiteral("Orvane")).sessions.at(0).title,
                 QStringLiteral("Hello"));

        hub.on("GET", "/api/apps/Orvane/sessions", ScriptedReply::json("{}", 500));
        QVERIFY(await(state.loadAppDetail(QStringLiteral("Orvane"))).succeeded()); // dropped
        QCOMPARE(state.appDetails().value(QStringLiteral("Orvane")).sessions.size(), 1);
        QVERIFY(!state.error());
    }

    void stateGoneWhileRefreshing()
    {
        FakeHub hub;
        hub.on("GET", "/api", ScriptedReply::json("{}").after(150ms));
        hub.on("GET", "/api/apps", ScriptedReply::json(kTwoApps));
        auto* state = new HubState(platform);
        state->setPort(hub.port());
        state->setRefreshDelays(50ms, 50ms);
        auto refreshing = watch(state->refresh());
        state->startHub();
        delete state;
        QVERIFY(QTest::qWaitFor([&] { return refreshing->done; }));
        QVERIFY(refreshing->succeeded());
        // The delayed refresh wakes up to a dead state and must leave it alone (ASan tells). A timer of
        // the same delay started now falls due after it, and deletes its waker after it.
        QTimer later;
        later.setSingleShot(true);
        later.setTimerType(Qt::PreciseTimer);
        QSignalSpy past(&later, &QTimer::timeout);
        later.start(50ms);
        QVERIFY(past.wait());
    }

    // Last: quitting is once per process.
    void quittingEndsTheDelayedRefreshWithoutRefreshing()
    {
        FakeHub fake;
        fake.on("GET", "/api", ScriptedReply::json("{}"));
        HubState state(platform);
        state.setPort(fake.port());
        state.setRefreshDelays(std::chrono::seconds(5), std::chrono::seconds(5));
        state.startHub();
        state.shutDown();
        HttpExchange::shutDown();
        // And nothing new is sent: an exchange started now ends at once.
        QVERIFY(await(HubAPIClient(fake.port()).getApps()).errorAs<ShutdownError>());
        QVERIFY(fake.requests().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHubState)
#include "tst_hub_state.moc"
