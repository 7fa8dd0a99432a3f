// Permissions: the state against a scripted Hub (load order and partial failure, the sets a flip
// sends, a refused flip put right, reloads racing flips and each other) and the tab (rows, switches, empty
// texts, audit rows, errors).

#include "AsyncTest.h"
#include "FakeHub.h"
#include "MultiTest.h"
#include "settings/AuditLogModel.h"
#include "settings/AuditLogView.h"
#include "settings/PermissionsState.h"
#include "settings/PermissionsTab.h"
#include "ui/ErrorBanner.h"
#include "ui/PageLife.h"
#include "ui/ToggleSwitch.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kPermissions =
    R"({"beta":{"read":true},"alpha":{"read":true,"write":false,"actions":true}})";
const QByteArray kAudit =
    R"([{"timestamp":"2024-05-01T12:34:56.789Z","app":"alpha","action":"read","allowed":true,"endpoint":"/x"},)"
    R"({"app":"beta","action":"write","actionName":"export"}])";

} // namespace

class TestPermissions : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeHub> hub;

private Q_SLOTS:
    void init()
    {
        hub = std::make_unique<FakeHub>();
        hub->on("GET", "/api/permissions", ScriptedReply::json(kPermissions));
        hub->on("GET", "/api/audit", ScriptedReply::json(kAudit));
    }
    void cleanup() { hub.reset(); }

    void loadAsksForPermissionsThenTheAuditLogAndKeepsWhatArrived()
    {
        PermissionsState state(hub->port());
        QVERIFY(await(state.load()).succeeded());
        QCOMPARE(hub->requests().size(), 2);
        QCOMPARE(hub->requests()[0].path, QByteArray("/api/permissions"));
        QCOMPARE(hub->requests()[1].query, QByteArray("limit=20"));
        QCOMPARE(state.permissions().keys(), QStringList({u"alpha"_s, u"beta"_s}));
        QCOMPARE(state.auditLog().size(), 2);
        QVERIFY(!state.isLoading() && !state.error());

        // A failed audit request keeps the permissions just loaded and the old log.
        hub->on("GET", "/api/permissions", ScriptedReply::json(R"({"gamma":{"write":true}})"));
        hub->on("GET", "/api/audit", ScriptedReply::json(R"({"error":"x"})", 500));
        QVERIFY(await(state.load()).succeeded());
        QCOMPARE(state.permissions().keys(), QStringList{u"gamma"_s});
        QCOMPARE(state.auditLog().size(), 2);
        QVERIFY(state.error() && !state.isLoading());
        // The next good load clears the error.
        hub->on("GET", "/api/audit", ScriptedReply::json("[]"));
        QVERIFY(await(state.load()).succeeded());
        QVERIFY(!state.error() && state.auditLog().isEmpty());
    }

    void aFlipSendsTheWholeSetAbsentMembersStayAbsent()
    {
        PermissionsState state(hub->port());
        QVERIFY(await(state.load()).succeeded());
        hub->on("PUT", "/api/permissions/beta", ScriptedReply::json("{}").after(100ms));
        // Two quick flips: the second request carries the first change too.
        auto first = watch(state.togglePermission(u"beta"_s, u"write"_s, true));
        QCOMPARE(state.permissions()[u"beta"_s].write, std::optional(true)); // shown at once
        auto second = watch(state.togglePermission(u"beta"_s, u"read"_s, false));
        QVERIFY(QTest::qWaitFor([&] { return first->done && second->done; }));
        const auto sent = hub->requestsTo("PUT", "/api/permissions/beta");
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0].json(), (QJsonObject{{u"read"_s, true}, {u"write"_s, true}}));
        QCOMPARE(sent[1].json(), (QJsonObject{{u"read"_s, false}, {u"write"_s, true}}));

        // Unknown kinds change and send nothing.
        QVERIFY(await(state.togglePermission(u"beta"_s, u"execute"_s, true)).succeeded());
        QCOMPARE(hub->requestsTo("PUT", "/api/permissions/beta").size(), 2);
    }

    void aRefusedFlipIsPutBackAndTheHubIsAsked()
    {
        PermissionsState state(hub->port());
        QVERIFY(await(state.load()).succeeded());
        hub->clearRequests();
        hub->once("PUT", "/api/permissions/alpha", ScriptedReply::json(R"({"error":"locked"})", 403));
        // What the Hub holds afterwards.
        hub->on("GET",
                "/api/permissions",
                ScriptedReply::json(R"({"alpha":{"read":true,"write":false,"actions":true}})"));
        QSignalSpy errors(&state, &PermissionsState::errorChanged);
        QVERIFY(await(state.togglePermission(u"alpha"_s, u"write"_s, true)).succeeded());
        QCOMPARE(state.permissions()[u"alpha"_s].write, std::optional(false));
        QVERIFY2(state.error().value_or(QString()).contains(u"403"_s),
                 qPrintable(state.error().value_or(QString())));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(hub->requests().last().path, QByteArray("/api/permissions"));

        // Two flips of one app, the first refused, the second taken with both changes: the Hub's
        // answer, not a guess, decides what shows.
        hub->once(
            "PUT", "/api/permissions/alpha", ScriptedReply::json(R"({"error":"busy"})", 503).after(150ms));
        hub->once("PUT", "/api/permissions/alpha", ScriptedReply::json("{}"));
        hub->on("GET",
                "/api/permissions",
                ScriptedReply::json(R"({"alpha":{"read":true,"write":true,"actions":false}})"));
        auto refused = watch(state.togglePermission(u"alpha"_s, u"write"_s, true));
        auto taken = watch(state.togglePermission(u"alpha"_s, u"actions"_s, false));
        QVERIFY(QTest::qWaitFor([&] { return refused->done && taken->done; }));
        QCOMPARE(state.permissions()[u"alpha"_s], (PermissionSet{true, true, false}));
        QVERIFY(state.error()->contains(u"503"_s));

        // The other order: refused at once while the other flip is still on its way. The Hub is asked
        // only after that one is answered, so its success is not overwritten by an older truth.
        hub->once("PUT", "/api/permissions/alpha", ScriptedReply::json(R"({"error":"busy"})", 503));
        hub->once("PUT", "/api/permissions/alpha", ScriptedReply::json("{}").after(150ms));
        hub->on("GET",
                "/api/permissions",
                ScriptedReply::json(R"({"alpha":{"read":false,"write":true,"actions":false}})"));
        hub->clearRequests();
        auto fastRefusal = watch(state.togglePermission(u"alpha"_s, u"actions"_s, true));
        auto slowSuccess = watch(state.togglePermission(u"alpha"_s, u"read"_s, false));
        QVERIFY(QTest::qWaitFor([&] { return fastRefusal->done && slowSuccess->done; }));
        QCOMPARE(hub->requests().last().path, QByteArray("/api/permissions")); // asked last
        QCOMPARE(state.permissions()[u"alpha"_s], (PermissionSet{false, true, false}));
    }

    // A reload answers with what the Hub held when it was sent: flips it cannot know about stay.
    void aReloadNeverUndoesANewerFlip()
    {
        PermissionsState state(hub->port());
        QVERIFY(await(state.load()).succeeded());
        const QByteArray old = R"({"alpha":{"read":true,"write":false,"actions":true},"beta":{"read":true}})";

        // alpha refused; beta flipped and taken while the read that mends alpha is out.
        hub->once("PUT", "/api/permissions/alpha", ScriptedReply::json(R"({"error":"locked"})", 403));
        hub->once("GET", "/api/permissions", ScriptedReply::json(old).heldBack());
        hub->on("PUT", "/api/permissions/beta", ScriptedReply::json("{}"));
        auto refused = watch(state.togglePermission(u"alpha"_s, u"write"_s, true));
        QTRY_COMPARE(hub->heldCount(), 1);
        QVERIFY(await(state.togglePermission(u"beta"_s, u"write"_s, true)).succeeded());
        QVERIFY(!refused->done);
        hub->release();
        QVERIFY(QTest::qWaitFor([&] { return refused->done; }));
        QCOMPARE(state.permissions()[u"beta"_s], (PermissionSet{true, true, {}}));
        QCOMPARE(state.permissions()[u"alpha"_s], (PermissionSet{true, false, true}));
        QVERIFY(state.error()->contains(u"403"_s));
        QCOMPARE(hub->requestsTo("PUT", "/api/permissions/alpha").last().json(),
                 (QJsonObject{{u"read"_s, true}, {u"write"_s, true}, {u"actions"_s, true}}));
        QCOMPARE(hub->requestsTo("PUT", "/api/permissions/beta").last().json(),
                 (QJsonObject{{u"read"_s, true}, {u"write"_s, true}}));

        // A refresh answered while a flip is on its way keeps it; once the flip is taken, a later
        // refresh is the Hub's word again (the Hub here forgot it).
        hub->on("GET", "/api/permissions", ScriptedReply::json(old));
        hub->once("PUT", "/api/permissions/beta", ScriptedReply::json("{}").heldBack());
        auto flip = watch(state.togglePermission(u"beta"_s, u"actions"_s, true));
        QTRY_COMPARE(hub->heldCount(), 1);
        QVERIFY(await(state.load()).succeeded());
        QCOMPARE(state.permissions()[u"beta"_s], (PermissionSet{true, {}, true}));
        hub->release();
        QVERIFY(QTest::qWaitFor([&] { return flip->done; }));
        QVERIFY(await(state.load()).succeeded());
        QCOMPARE(state.permissions()[u"beta"_s], (PermissionSet{true, {}, {}}));
    }

    void onlyTheLatestLoadCounts()
    {
        PermissionsState state(hub->port());
        QSignalSpy loading(&state, &PermissionsState::isLoadingChanged);
        // The first read answers late with older data, while the second load still waits for its log.
        hub->once("GET", "/api/permissions", ScriptedReply::json(R"({"old":{"read":true}})").heldBack());
        hub->once("GET", "/api/audit", ScriptedReply::json(kAudit).heldBack());
        auto first = watch(state.load());
        QTRY_COMPARE(hub->heldCount(), 1);
        auto second = watch(state.load());
        QTRY_COMPARE(hub->heldCount(), 2);
        hub->release(1);
        QVERIFY(QTest::qWaitFor([&] { return first->done; }));
        QVERIFY(!second->done && state.isLoading());
        QCOMPARE(state.permissions().keys(), QStringList({u"alpha"_s, u"beta"_s}));
        hub->release();
        QVERIFY(QTest::qWaitFor([&] { return second->done; }));
        QCOMPARE(state.auditLog().size(), 2);
        QVERIFY(!state.isLoading());
        QCOMPARE(loading.count(), 2);

        // The first load's log answers after the second's.
        hub->once("GET", "/api/audit", ScriptedReply::json("[]").heldBack());
        first = watch(state.load());
        QTRY_COMPARE(hub->heldCount(), 1);
        second = watch(state.load());
        QVERIFY(QTest::qWaitFor([&] { return second->done; }));
        hub->release();
        QVERIFY(QTest::qWaitFor([&] { return first->done; }));
        QCOMPARE(state.auditLog().size(), 2);
        QVERIFY(!state.isLoading());
        QCOMPARE(loading.count(), 4);
    }

    void auditTimeTexts_data()
    {
        QTest::addColumn<std::optional<QString>>("timestamp");
        QTest::addColumn<std::optional<QString>>("text");
        QTest::newRow("fraction") << std::optional(u"2024-05-01T12:34:56.789Z"_s)
                                  << std::optional(u"12:34:56"_s);
        QTest::newRow("zone") << std::optional(u"2024-05-01T12:34:56Z"_s) << std::optional(u"12:34:56"_s);
        QTest::newRow("no T") << std::optional(u"12:34"_s) << std::optional(u"12:34"_s);
        QTest::newRow("short") << std::optional(u"xT1"_s) << std::optional(u"1"_s);
        QTest::newRow("absent") << std::optional<QString>() << std::optional<QString>();
    }
    void auditTimeTexts()
    {
        QFETCH(std::optional<QString>, timestamp);
        QFETCH(std::optional<QString>, text);
        QCOMPARE(PermissionsState::auditTimeText(timestamp), text);
    }

    void theTabShowsSortedRowsSwitchesAndTheLog()
    {
        hub->on("PUT", "/api/permissions/beta", ScriptedReply::json("{}"));
        PermissionsTab tab(hub->port());
        QVERIFY(tab.findChild<QLabel*>(u"noPermissions"_s)->isVisibleTo(&tab)); // before the first load
        QVERIFY(tab.findChild<QLabel*>(u"noAuditEntries"_s)->isVisibleTo(&tab));
        tab.resize(600, 600);
        tab.show();
        QTRY_VERIFY(tab.toggle(u"beta"_s, u"read"_s));
        QCOMPARE(tab.toggle(u"alpha"_s, u"read"_s)->isChecked(), true);
        QCOMPARE(tab.toggle(u"alpha"_s, u"write"_s)->isChecked(), false);
        QCOMPARE(tab.toggle(u"beta"_s, u"actions"_s)->isChecked(), false);
        QVERIFY(!tab.findChild<QLabel*>(u"noPermissions"_s)->isVisible());

        // Space on a focused switch flips it; the whole set goes out.
        ui::ToggleSwitch* write = tab.toggle(u"beta"_s, u"write"_s);
        write->setFocus();
        QTest::keyClick(write, Qt::Key_Space);
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/permissions/beta").size(), 1);
        QCOMPARE(hub->requestsTo("PUT", "/api/permissions/beta").first().json(),
                 (QJsonObject{{u"read"_s, true}, {u"write"_s, true}}));
        QVERIFY(write->isChecked());

        auto* log = tab.findChild<AuditLogView*>();
        QCOMPARE(log->entries().size(), 2);
        QCOMPARE(AuditLogView::textsFor(log->entries()[0]),
                 QStringList({u"checkmark.circle"_s,
                              u"alpha"_s,
                              u"read"_s,
                              u"/x"_s,
                              AuditLogModel::whenText(log->entries()[0].timestamp)}));
        QCOMPARE(AuditLogView::textsFor(log->entries()[1]),
                 QStringList({u"xmark.circle"_s, u"beta"_s, u"write"_s, u"export"_s, u""_s}));
        QVERIFY(log->height() <= AuditLogView::maxHeight);

        // A failed refresh shows why, in place.
        hub->on("GET", "/api/permissions", ScriptedReply::close());
        tab.findChild<QToolButton*>(u"refreshButton"_s)->click();
        auto* banner = tab.findChild<ui::ErrorBanner*>();
        QTRY_VERIFY(banner->isVisible());
        QVERIFY2(banner->text().contains(u"closed the connection"_s), qPrintable(banner->text()));
    }

    void leavingTheTabWhileRequestsRunIsSafe()
    {
        hub->on("GET", "/api/permissions", ScriptedReply::json(kPermissions).after(100ms));
        hub->on("PUT", "/api/permissions/alpha", ScriptedReply::json("{}", 500).after(100ms));
        auto* tab = new PermissionsTab(hub->port());
        tab->show();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/permissions").size(), 1);
        tab->state().togglePermission(u"alpha"_s, u"read"_s, false);
        ui::retire(tab);
        tab->deleteLater();
        // Every answer goes out, and the coroutines of the page that is gone resume to nothing.
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle();
    }
};

ZANDREL_TEST(TestPermissions)
#include "tst_permissions.moc"
