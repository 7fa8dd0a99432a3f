// The Updates page against a scripted Hub: the installed map it sends, its three states and the
// header's count, updating one app or all of them past a failure, and leaving mid-update.

#include "AsyncTest.h"
#include "MultiTest.h"
#include "PageFixture.h"
#include "UpdateReplies.h"
#include "app/ContentView.h"
#include "hub_api/HubState.h"
#include "installed/Sidebar.h"
#include "platform/NetworkState.h"
#include "preferences/Preferences.h"
#include "store/StoreService.h"
#include "store/UpdateChecker.h"
#include "store/UpdateListModel.h"
#include "store/UpdateRow.h"
#include "store/UpdatesView.h"
#include "ui/ErrorBanner.h"
#include "ui/PageLife.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Main = UpdatesView::Main;

namespace {

QByteArray installed(const QByteArray& slug)
{
    return R"({"success":true,"app":")" + slug + R"(","version":"2.0","path":"p"})";
}

} // namespace

class TestUpdates : public QObject, PageFixture {
    Q_OBJECT

    // The Hub state as the window would have it after its refresh.
    void hubLists(const QByteArray& apps)
    {
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json(apps));
        QVERIFY(await(hubState->refresh()).succeeded());
    }
    std::unique_ptr<UpdatesView> showPage()
    {
        auto page = std::make_unique<UpdatesView>(context());
        page->resize(600, 400);
        page->show();
        return page;
    }
    QString header(UpdatesView& page) { return page.findChild<QLabel*>(u"updatesHeader"_s)->text(); }
    QPushButton* updateAll(UpdatesView& page) { return page.findChild<QPushButton*>(u"updateAllButton"_s); }
    QList<QByteArray> installsSent() const
    {
        QList<QByteArray> paths;
        for (const RecordedRequest& request : hub->requests())
            if (request.method == "POST" && request.path.endsWith("/install"))
                paths.append(request.path);
        return paths;
    }
    void clickUpdate(UpdatesView& page, int row)
    {
        QListView* list = page.list();
        const QRect rect = UpdateRow::buttonRect(list->visualRect(list->model()->index(row, 0)));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

private Q_SLOTS:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void theCheckSendsTheHubsAppsAndListsWhatIsNewer()
    {
        hubLists(R"([{"id":"orvane","name":"Orvane","version":"1.0"},{"id":"dulvet","name":"Dulvet"},)"
                 R"({"id":"orvane","name":"Orvane","version":"1.1"}])");
        hub->on("POST",
                "/api/store/apps/updates/check",
                ScriptedReply::json(updatesFor({"dulvet", "orvane"})).after(150ms));
        auto page = showPage();
        QTRY_COMPARE(page->main(), Main::Checking);
        QTRY_COMPARE(page->main(), Main::List);
        const QJsonObject sent = hub->requestsTo("POST", "/api/store/apps/updates/check").first().json();
        QCOMPARE(
            sent,
            (QJsonObject{{u"installed"_s, QJsonObject{{u"orvane"_s, u"1.1"_s}, {u"dulvet"_s, u"0.0.0"_s}}}}));
        QCOMPARE(header(*page), u"2 updates available"_s);
        QVERIFY(updateAll(*page)->isVisible());

        // Checked again when shown again; a failure keeps the list and shows the banner.
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(R"({"error":"x"})", 502));
        page->hide();
        page->show();
        QTRY_VERIFY(page->error());
        QCOMPARE(page->main(), Main::List);
        QVERIFY(page->findChild<ui::ErrorBanner*>()->isVisible());
        QCOMPARE(page->findChild<ui::ErrorBanner*>()->text(), uR"(API error 502: {"error":"x"})"_s);
    }

    void theLatestCheckWinsWhicheverAnswerComesLast()
    {
        const QByteArray check = "/api/store/apps/updates/check";
        // Shown again while the first check runs: its failure, arriving first, neither shows nor ends
        // the checking.
        hub->once("POST", check, ScriptedReply::json(R"({"error":"x"})", 502).after(300ms));
        hub->on("POST", check, ScriptedReply::json(updatesFor({"alpha", "beta"})).after(1000ms));
        auto page = showPage();
        QTRY_COMPARE(hub->requests().size(), 1);
        page->hide();
        page->show();
        QTRY_COMPARE(hub->answered(), 1);
        hub->settle();
        QCOMPARE(page->main(), Main::Checking);
        QVERIFY(!page->error() && !page->findChild<ui::ErrorBanner*>()->isVisible());
        QTRY_COMPARE(page->main(), Main::List);
        QCOMPARE(header(*page), u"2 updates available"_s);

        // Again, with the first answer the slower one: the latest list stays.
        hub->once("POST", check, ScriptedReply::json(updatesFor({"gamma"})).after(300ms));
        hub->on("POST", check, ScriptedReply::json(updatesFor({"alpha", "beta", "delta"})));
        page->hide();
        page->show();
        QTRY_COMPARE(hub->requests().size(), 3);
        page->hide();
        page->show();
        QTRY_COMPARE(header(*page), u"3 updates available"_s);
        QTRY_COMPARE(hub->answered(), 4);
        hub->settle();
        QCOMPARE(header(*page), u"3 updates available"_s);
        QCOMPARE(page->updates().size(), 3);
        QVERIFY(!page->error());
        QCOMPARE(hub->requests().size(), 4);
        for (const RecordedRequest& sent : hub->requests())
            QCOMPARE(sent.body, QByteArray(R"({"installed":{}})"));
    }

    void noAppsSendsAnEmptyMapAndIsUpToDate()
    {
        hub->on("POST",
                "/api/store/apps/updates/check",
                ScriptedReply::json(R"({"updates":{},"announcements":[]})"));
        auto page = showPage();
        QTRY_COMPARE(hub->requests().size(), 1);
        QCOMPARE(hub->requests().first().body, QByteArray(R"({"installed":{}})"));
        QTRY_VERIFY(!page->findChild<QLabel*>(u"progressText"_s)->isVisible());
        QCOMPARE(page->main(), Main::UpToDate);
        QVERIFY(!page->findChild<ui::ErrorBanner*>()->isVisible());
    }

    void updatingOneLowersTheCountAndHidesUpdateAll()
    {
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"alpha", "beta"})));
        hub->on(
            "POST", "/api/store/apps/alpha/install", ScriptedReply::json(installed("alpha")).after(100ms));
        hub->on("POST", "/api/store/apps/beta/install", ScriptedReply::json(installed("beta")));
        auto page = showPage();
        QTRY_COMPARE(page->main(), Main::List);
        clickUpdate(*page, 0);
        QVERIFY(page->updatingSlugs().contains(u"alpha"_s));
        clickUpdate(*page, 0); // pressed again while it runs: nothing more is sent
        QTRY_VERIFY(page->updatedSlugs().contains(u"alpha"_s));
        QCOMPARE(installsSent(), QList<QByteArray>{"/api/store/apps/alpha/install"});
        // The updated row stays listed but no longer counts.
        QCOMPARE(header(*page), u"1 update available"_s);
        QVERIFY(!updateAll(*page)->isVisible());
        QCOMPARE(page->updates().size(), 2);

        page->list()->setFocus();
        page->list()->setCurrentIndex(page->list()->model()->index(1, 0));
        QTest::keyClick(page->list(), Qt::Key_Return);
        QTRY_VERIFY(page->updatedSlugs().contains(u"beta"_s));
        QCOMPARE(header(*page), u"0 updates available"_s);
    }

    void updateAllGoesOnPastAFailureOneAtATime()
    {
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"a1", "b2", "c3"})));
        hub->on("POST", "/api/store/apps/a1/install", ScriptedReply::json(installed("a1")).after(50ms));
        hub->on("POST", "/api/store/apps/b2/install", ScriptedReply::json(R"({"error":"no space"})", 500));
        hub->on("POST", "/api/store/apps/c3/install", ScriptedReply::json(installed("c3")));
        auto page = showPage();
        QTRY_COMPARE(page->main(), Main::List);
        updateAll(*page)->click();
        QVERIFY(page->isUpdatingAll() && !updateAll(*page)->isEnabled());
        QCOMPARE(page->updatingSlugs(), QSet<QString>{u"a1"_s}); // one at a time
        QTRY_VERIFY(!page->isUpdatingAll());
        QCOMPARE(installsSent(),
                 (QList<QByteArray>{"/api/store/apps/a1/install",
                                    "/api/store/apps/b2/install",
                                    "/api/store/apps/c3/install"}));
        QCOMPARE(page->updatedSlugs(), (QSet<QString>{u"a1"_s, u"c3"_s}));
        QCOMPARE(page->findChild<ui::ErrorBanner*>()->text(),
                 uR"(Failed to update b2: API error 500: {"error":"no space"})"_s);
        QCOMPARE(header(*page), u"1 update available"_s);
    }

    void theSidebarsCountIsThePagesAndDropsWithEachUpdate()
    {
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"a1", "b2", "c3"})));
        hub->on("POST", "/api/store/apps/a1/install", ScriptedReply::json(installed("a1")));
        hub->on("POST", "/api/store/apps/b2/install", ScriptedReply::json(R"({"error":"no space"})", 500));
        hub->on("POST", "/api/store/apps/c3/install", ScriptedReply::json(installed("c3")));
        struct Online : NetworkState {
            bool isOffline() const override { return false; }
            bool isMetered() const override { return false; }
        } network;
        Preferences preferences(home->filePath(u"desktop.ini"_s));
        UpdateChecker checker(*store, *hubState, preferences, network);
        PageContext withChecker = context();
        withChecker.updateChecker = &checker;
        ContentView window(withChecker, SidebarItem::section(SidebarItem::Kind::Updates));
        window.show();
        auto* page = qobject_cast<UpdatesView*>(window.currentPage());
        QTRY_COMPARE(page->main(), Main::List);
        Sidebar* sidebar = window.sidebar();
        const QListWidgetItem* row =
            sidebar->item(sidebar->rowOf(SidebarItem::section(SidebarItem::Kind::Updates)));
        QCOMPARE(sidebar->updateCount(), 3);
        QCOMPARE(row->data(Sidebar::BadgeRole).toInt(), 3);
        QCOMPARE(row->data(Qt::AccessibleTextRole).toString(), u"Updates, 3 available"_s);

        // One row's update, then Update All with one failure: exactly the successes drop.
        clickUpdate(*page, 0);
        QTRY_COMPARE(sidebar->updateCount(), 2);
        updateAll(*page)->click();
        QTRY_VERIFY(!page->isUpdatingAll());
        QCOMPARE(sidebar->updateCount(), 1);
        QCOMPARE(checker.updates().first().slug, u"b2"_s);
        QCOMPARE(header(*page), u"1 update available"_s);

        // None left: no capsule, and the name alone.
        checker.markUpdated(u"b2"_s);
        QCOMPARE(row->data(Sidebar::BadgeRole).toInt(), 0);
        QVERIFY(!row->data(Qt::AccessibleTextRole).isValid());
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
    }

    void rowTexts()
    {
        UpdateInfo update{u"my  app"_s, u"3.0"_s, {}, {}, 0, QString(200, u'n'), false, std::nullopt};
        const QStringList texts = UpdateRow::textsFor(update, 120);
        QCOMPARE(texts.mid(0, 3), (QStringList{u"My  App"_s, u"?"_s, u"3.0"_s}));
        QCOMPARE(texts.size(), 5); // the notes cut at two lines
        QVERIFY(texts.last().endsWith(u'\u2026'));
        update.notes.clear();
        QCOMPARE(UpdateRow::textsFor(update, 120).size(), 3);
    }

    void leavingDuringUpdateAllFinishesTheSequence()
    {
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"a1", "b2"})));
        hub->on("POST", "/api/store/apps/a1/install", ScriptedReply::json(installed("a1")).after(100ms));
        hub->on("POST", "/api/store/apps/b2/install", ScriptedReply::json(installed("b2")));
        auto* page = showPage().release();
        QTRY_COMPARE(page->main(), Main::List);
        updateAll(*page)->click();
        ui::retire(page);
        page->deleteLater();
        // What the user started goes on without the page.
        QTRY_COMPARE(installsSent(),
                     (QList<QByteArray>{"/api/store/apps/a1/install", "/api/store/apps/b2/install"}));
    }

    void anInstallStillOnItsWayIsShownAndNeverSentTwice_data()
    {
        QTest::addColumn<bool>("laterFirst");
        QTest::newRow("the earlier sequence's install ends first") << false;
        QTest::newRow("the later page's install ends first") << true;
    }
    void anInstallStillOnItsWayIsShownAndNeverSentTwice()
    {
        QFETCH(bool, laterFirst);
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"a1", "b2"})));
        hub->on("POST", "/api/store/apps/a1/install", ScriptedReply::json(installed("a1")).heldBack());
        const ScriptedReply b2 = ScriptedReply::json(installed("b2"));
        hub->on("POST", "/api/store/apps/b2/install", laterFirst ? b2 : b2.heldBack());
        auto* first = showPage().release();
        QTRY_COMPARE(first->main(), Main::List);
        updateAll(*first)->click();
        QTRY_COMPARE(installsSent().size(), 1);
        ui::retire(first);
        first->deleteLater();

        // Back on the page: a1 shows as updating, and neither a row nor Update All sends it again.
        auto page = showPage();
        QTRY_COMPARE(page->main(), Main::List);
        QVERIFY(page->updatingSlugs().contains(u"a1"_s));
        page->updateAll();
        clickUpdate(*page, 0);
        QTRY_COMPARE(installsSent().size(), 2); // b2, from this page
        QCOMPARE(installsSent().count("/api/store/apps/a1/install"), 1);
        if (laterFirst)
            QTRY_VERIFY(page->updatedSlugs().contains(u"b2"_s));
        // One at a time: a1 first, then whatever is still held. The earlier sequence then finds b2 on
        // its way, or already done, and sends nothing.
        hub->release(1);
        QTRY_VERIFY(page->updatedSlugs().contains(u"a1"_s));
        hub->release();
        QTRY_VERIFY(page->updatingSlugs().isEmpty());
        QCOMPARE(page->updatedSlugs(), (QSet<QString>{u"a1"_s, u"b2"_s}));
        hub->settle();
        QCOMPARE(installsSent().count("/api/store/apps/b2/install"), 1);
        QCOMPARE(installsSent().size(), 2);
    }
};

ZANDREL_TEST(TestUpdates)
#include "tst_updates.moc"
