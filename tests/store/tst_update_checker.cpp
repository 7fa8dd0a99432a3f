// The background update check: when it runs on a clock and schedule the test sets, what it skips, and
// that a failure keeps the last known list; and the one list the sidebar, tray and Updates page read.

#include "PageFixture.h"
#include "UpdateReplies.h"
#include "platform/NetworkState.h"
#include "preferences/Preferences.h"
#include "store/UpdateChecker.h"
#include "store/UpdateNotification.h"

#include <QSignalSpy>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

struct FakeNetwork : NetworkState {
    bool offline = false;
    bool metered = false;
    bool isOffline() const override { return offline; }
    bool isMetered() const override { return metered; }
};

const QByteArray kCheck = "/api/store/apps/updates/check";

} // namespace

class TestUpdateChecker : public QObject, PageFixture {
    Q_OBJECT

    std::unique_ptr<Preferences> preferences;
    FakeNetwork network;
    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC);
    std::chrono::milliseconds lastJitterBound{-1};

    std::unique_ptr<UpdateChecker> makeChecker(std::chrono::milliseconds jitter = 7ms)
    {
        auto checker = std::make_unique<UpdateChecker>(
            *store,
            *hubState,
            *preferences,
            network,
            [this] { return now; },
            [this, jitter](std::chrono::milliseconds bound) {
                lastJitterBound = bound;
                return jitter;
            });
        // Seconds and hours become milliseconds: the same rules, no waiting.
        checker->setSchedule({90ms, 6h, 30min});
        return checker;
    }

private Q_SLOTS:
    void init()
    {
        setUp();
        preferences = std::make_unique<Preferences>(home->filePath(u"desktop.ini"_s));
        network = FakeNetwork{};
        lastJitterBound = -1ms;
    }
    void cleanup()
    {
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        preferences.reset();
        tearDown();
    }

    void firstCheckSoonAfterLaunchThenEveryIntervalWithJitter()
    {
        hub->on("POST", kCheck, ScriptedReply::json(updatesFor({"orvane", "dulvet"})));
        auto checker = makeChecker(60s);
        QSignalSpy done(checker.get(), &UpdateChecker::backgroundCheckDone);
        checker->start();
        QVERIFY(checker->isScheduled() && checker->plannedDelay() == 90ms);
        QVERIFY(done.wait(2000));
        QCOMPARE(done.first().first().toBool(), true);
        QCOMPARE(checker->count(), 2);
        QCOMPARE(hub->requestsTo("POST", kCheck).size(), 1);
        // The time is kept; the next check is an interval and the jitter later, within its bounds.
        QCOMPARE(preferences->lastUpdateCheck(), std::optional(now));
        QCOMPARE(lastJitterBound, std::chrono::milliseconds(30min));
        QCOMPARE(checker->plannedDelay(), std::chrono::milliseconds(6h + 60s));
        for (int i = 0; i < 200; ++i) {
            const auto jitter = UpdateChecker::randomJitter(30min);
            QVERIFY(jitter >= 0ms && jitter <= 30min);
        }
    }

    void aRestartWithinTheIntervalDoesNotCheckAtStart()
    {
        preferences->setLastUpdateCheck(now.addSecs(-3600));
        auto checker = makeChecker(0ms);
        checker->start();
        QCOMPARE(checker->plannedDelay(), std::chrono::milliseconds(5h));
        // Older than the interval, or in the future (a clock set back): soon after launch.
        preferences->setLastUpdateCheck(now.addSecs(-7 * 3600));
        checker->start();
        QCOMPARE(checker->plannedDelay(), 90ms);
        preferences->setLastUpdateCheck(now.addDays(3));
        checker->start();
        QCOMPARE(checker->plannedDelay(), 90ms);
        // Turned off: nothing planned; on again: planned.
        preferences->setBackgroundUpdateCheck(false);
        QVERIFY(!checker->isScheduled());
        QVERIFY(!Preferences(preferences->filePath()).backgroundUpdateCheck());
        checker->start();
        QVERIFY(!checker->isScheduled());
        preferences->setBackgroundUpdateCheck(true);
        QVERIFY(checker->isScheduled());
    }

    void offlineMeteredAndFailedChecksKeepTheCount()
    {
        hub->once("POST", kCheck, ScriptedReply::json(updatesFor({"orvane"})));
        hub->once("POST", kCheck, ScriptedReply::json(R"({"error":"down"})", 503));
        hub->once("POST", kCheck, ScriptedReply::json("not json"));
        auto checker = makeChecker();
        checker->setSchedule({0ms, 10ms, 0ms});
        QSignalSpy done(checker.get(), &UpdateChecker::backgroundCheckDone);
        QSignalSpy changed(checker.get(), &UpdateChecker::updatesChanged);
        checker->start();
        QVERIFY(done.wait(2000));
        QCOMPARE(checker->count(), 1);
        const QDateTime checkedAt = now;

        // Offline, then metered: skipped, nothing asked, tried again at the next one.
        network.offline = true;
        now = now.addSecs(60);
        QVERIFY(done.wait(2000));
        network.offline = false;
        network.metered = true;
        QVERIFY(done.wait(2000));
        QCOMPARE(done.at(1).first().toBool(), false);
        QCOMPARE(done.at(2).first().toBool(), false);
        QCOMPARE(hub->requestsTo("POST", kCheck).size(), 1);

        // A 5xx and a bad answer: quiet, the count stays, the last check's time too.
        network.metered = false;
        QVERIFY(done.wait(2000));
        QVERIFY(done.wait(2000));
        QCOMPARE(hub->requestsTo("POST", kCheck).size(), 3);
        QCOMPARE(checker->count(), 1);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(preferences->lastUpdateCheck(), std::optional(checkedAt));
        QVERIFY(checker->isScheduled());
    }

    void theNoticeNamesANewSetAtMostDailyAndNeverTheSameTwice()
    {
        QCOMPARE(UpdateNotification::body({u"Orvane"_s}), u"Orvane can be updated"_s);
        QCOMPARE(UpdateNotification::body({u"Orvane"_s, u"Dulvet"_s, u"Kelbra"_s}),
                 u"Orvane, Dulvet and 1 more can be updated"_s);
        QCOMPARE(UpdateNotification::body({u"A"_s, u"B"_s, u"C"_s, u"D"_s}),
                 u"A, B and 2 more can be updated"_s);
        auto notice =
            std::make_unique<UpdateNotification>(*preferences, platform->notifier(), [this] { return now; });
        const UpdateInfo orvane{u"orvane"_s, u"2.0"_s, {}, {}, 0, {}, false, std::nullopt};
        const UpdateInfo dulvet{u"dulvet"_s, u"2.0"_s, {}, {}, 0, {}, false, std::nullopt};
        QVERIFY(!notice->consider({orvane}, {u"Orvane"_s}, true));
        QVERIFY(notice->consider({orvane, dulvet}, {u"Orvane"_s, u"Dulvet"_s}, false));
        // The same set, in another order, days later and after a restart: never again.
        now = now.addDays(3);
        notice =
            std::make_unique<UpdateNotification>(*preferences, platform->notifier(), [this] { return now; });
        QVERIFY(!notice->consider({dulvet, orvane}, {}, false));
        // A new version is a new set; within a day of the last notice it waits.
        const UpdateInfo newer{u"orvane"_s, u"2.1"_s, {}, {}, 0, {}, false, std::nullopt};
        QVERIFY(notice->consider({newer, dulvet}, {}, false));
        now = now.addSecs(23 * 3600);
        QVERIFY(!notice->consider({newer}, {u"Orvane"_s}, false));
        now = now.addSecs(3600);
        QVERIFY(notice->consider({newer}, {u"Orvane"_s}, false));
        QCOMPARE(platform->notifications.size(), 3);
        QCOMPARE(platform->notifications.last(), u"Updates available\nOrvane can be updated"_s);
        // Nothing left: withdrawn.
        QVERIFY(!notice->consider({}, {}, false));
        QCOMPARE(platform->withdrawn, QList<Notifier::Kind>{Notifier::Kind::Updates});
    }

    void theListDropsExactlyWhatWasUpdated()
    {
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json(R"([{"id":"orvane","name":"Orvane","version":"1.0"},
            {"id":"dulvet","name":"Dulvet"},{"id":"orvane","name":"Orvane","version":"1.1"}])"));
        co_refresh();
        QCOMPARE(UpdateChecker::installedVersions(*hubState),
                 (QMap<QString, QString>{{u"orvane"_s, u"1.1"_s}, {u"dulvet"_s, u"0.0.0"_s}}));
        auto checker = makeChecker();
        QSignalSpy changed(checker.get(), &UpdateChecker::updatesChanged);
        checker->setUpdates({{u"orvane"_s, u"2"_s, {}, {}, 0, {}, false, {}},
                             {u"dulvet"_s, u"2"_s, {}, {}, 0, {}, false, {}}});
        checker->setUpdates(checker->updates()); // the same list tells nobody
        QCOMPARE(changed.size(), 1);
        checker->markUpdated(u"silvane"_s);
        checker->markUpdated(u"orvane"_s);
        QCOMPARE(checker->count(), 1);
        QCOMPARE(checker->updates().first().slug, u"dulvet"_s);
        QCOMPARE(changed.size(), 2);
    }

    void aBackgroundAnswerAskedBeforeTheListChangedBringsNothingBack()
    {
        hub->on("POST", kCheck, ScriptedReply::json(updatesFor({"orvane", "dulvet", "pimbrel"})).heldBack());
        auto checker = makeChecker();
        QSignalSpy done(checker.get(), &UpdateChecker::backgroundCheckDone);
        checker->setUpdates({{u"orvane"_s, u"2"_s, {}, {}, 0, {}, false, {}},
                             {u"dulvet"_s, u"2"_s, {}, {}, 0, {}, false, {}}});
        checker->start();
        QTRY_COMPARE(hub->requestsTo("POST", kCheck).size(), 1);
        // Orvane is updated while the check is out: its answer must not offer Orvane again, but what
        // it found besides is news.
        checker->markUpdated(u"orvane"_s);
        hub->release();
        QVERIFY(done.wait(2000));
        QCOMPARE(checker->count(), 2);
        QCOMPARE(checker->updates().first().slug, u"dulvet"_s);
        QCOMPARE(checker->updates().last().slug, u"pimbrel"_s);
        QCOMPARE(preferences->lastUpdateCheck(), std::optional(now));

        // A newer list came meanwhile (the Updates page checked): the older answer changes nothing.
        hub->on("POST", kCheck, ScriptedReply::json(updatesFor({"orvane"})).heldBack());
        now = now.addSecs(7 * 3600); // the next check is due soon after a start
        checker->start();
        QTRY_COMPARE(hub->heldCount(), 1);
        checker->setUpdates({{u"dulvet"_s, u"3"_s, {}, {}, 0, {}, false, {}}});
        hub->release();
        QVERIFY(done.wait(2000));
        QCOMPARE(checker->count(), 1);
        QCOMPARE(checker->updates().first().slug, u"dulvet"_s);

        // With nothing changed meanwhile, the next answer is the list.
        hub->on("POST", kCheck, ScriptedReply::json(updatesFor({"silvane"})));
        now = now.addSecs(7 * 3600);
        checker->start();
        QVERIFY(done.wait(2000));
        QCOMPARE(checker->count(), 1);
        QCOMPARE(checker->updates().first().slug, u"silvane"_s);
    }

private:
    void co_refresh()
    {
        hubState->refresh();
        QTRY_COMPARE(hubState->apps().size(), 3);
    }
};

QTEST_MAIN(TestUpdateChecker)
#include "tst_update_checker.moc"
