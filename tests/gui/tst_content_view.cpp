// The main window: the sidebar for the bundles on disk, the selection and its pages, the start-up
// task against a fake Hub, the status bar and its Start/Stop wiring, and returning to the grid.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "RecordingPlatform.h"
#include "app/HubState.h"
#include "app/StatusBar.h"
#include "installed/ContentView.h"
#include "installed/InstalledAppCard.h"
#include "installed/InstalledAppDetail.h"
#include "installed/InstalledAppsGrid.h"
#include "installed/PlaceholderPage.h"
#include "installed/Sidebar.h"
#include "installed/UninstallDialog.h"
#include "store/StoreService.h"
#include "ui/EmptyStateView.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;

namespace {

using Kind = SidebarItem::Kind;

// The sidebar as the user reads it: "header:", "note:" or "item:" rows with their text and symbol.
QStringList sidebarRows(const Sidebar& sidebar)
{
    QStringList rows;
    for (int row = 0; row < sidebar.count(); ++row) {
        const QListWidgetItem* item = sidebar.item(row);
        switch (static_cast<Sidebar::RowType>(item->data(Sidebar::RowTypeRole).toInt())) {
        case Sidebar::RowType::Header:
            rows.append(QStringLiteral("header:") + item->text());
            break;
        case Sidebar::RowType::Note:
            rows.append(QStringLiteral("note:") + item->text());
            break;
        case Sidebar::RowType::Item:
            rows.append(QStringLiteral("item:") + item->text() + u'/' +
                        item->data(Sidebar::SymbolRole).toString());
            break;
        case Sidebar::RowType::Gap:
            break;
        }
    }
    return rows;
}

const QStringList kFixedRows{QStringLiteral("header:Store"),
                             QStringLiteral("item:Browse/bag"),
                             QStringLiteral("item:Updates/arrow.down.circle"),
                             QStringLiteral("item:Account/person.crop.circle"),
                             QStringLiteral("item:Settings/gear")};

QString statusText(ContentView& view)
{
    QStringList parts;
    for (const char* name : {"hubStatusText", "hubStatusSeparator", "hubAppCount"}) {
        auto* label = view.statusBar()->findChild<QLabel*>(QLatin1String(name));
        if (label->isVisibleTo(view.statusBar()))
            parts.append(label->text());
    }
    return parts.join(u' ');
}

QPushButton* toggleButton(ContentView& view)
{
    return view.statusBar()->findChild<QPushButton*>(QStringLiteral("hubToggleButton"));
}

QByteArray appsJson(int count)
{
    QByteArray json = "[";
    for (int i = 0; i < count; ++i)
        json += (i ? "," : "") + QByteArray(R"({"id":"a)") + QByteArray::number(i) + R"(","name":"App"})";
    return json + "]";
}

} // namespace

class TestContentView : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<RecordingPlatform> platform;
    std::unique_ptr<HubState> hub;
    std::unique_ptr<StoreService> store;

    void addBundle(const QString& name) { QVERIFY(QDir().mkpath(platform->appBundlePath(name))); }

    std::unique_ptr<ContentView>
    makeView(std::optional<SidebarItem> initial = SidebarItem::section(Kind::MyApps))
    {
        return std::make_unique<ContentView>(*hub, *store, *platform, initial);
    }

    // Shows the window and waits for its start-up task.
    bool start(ContentView& view)
    {
        QSignalSpy finished(&view, &ContentView::startUpFinished);
        view.show();
        return finished.count() > 0 || finished.wait(10000);
    }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        platform = std::make_unique<RecordingPlatform>(home->path());
        hub = std::make_unique<HubState>(*platform);
        hub->setPort(FakeHub::unusedPort());
        hub->setRefreshDelays(50ms, 50ms);
        store =
            std::make_unique<StoreService>(QStringLiteral("http://127.0.0.1:%1").arg(FakeHub::unusedPort()));
    }

    void windowHasItsSizesAndSplit()
    {
        auto view = makeView();
        QCOMPARE(view->size(), QSize(800, 550));
        QCOMPARE(view->minimumSize(), QSize(600, 400));
        QVERIFY(start(*view));
        QCOMPARE(view->sidebar()->width(), 190);
        QVERIFY(view->sidebar()->minimumWidth() >= 160);
        // The status bar sits below the page, in the detail column only.
        QVERIFY(view->statusBar()->mapTo(view.get(), QPoint()).x() >= 190);
        QCOMPARE(view->statusBar()->mapTo(view.get(), QPoint(0, view->statusBar()->height())).y(),
                 view->height());
    }

    void sidebarWithoutBundlesSaysNoAppsInstalled()
    {
        // A folder of an app that is not known does not count.
        addBundle(QStringLiteral("Zebra"));
        auto view = makeView();
        QVERIFY(start(*view));
        QCOMPARE(sidebarRows(*view->sidebar()),
                 QStringList({QStringLiteral("header:My Apps"), QStringLiteral("note:No apps installed")}) +
                     kFixedRows);
        QListWidgetItem* note =
            view->sidebar()->findItems(QStringLiteral("No apps installed"), Qt::MatchExactly).first();
        QVERIFY(!(note->flags() & Qt::ItemIsSelectable));
        auto* empty = view->currentPage()->findChild<ui::EmptyStateView*>();
        QVERIFY(empty);
        QCOMPARE(empty->title(), QStringLiteral("No Apps Installed"));
        // The description is shown whole, wrapped or not.
        auto* description = empty->findChild<QLabel*>(QStringLiteral("emptyStateDescription"));
        QTRY_VERIFY(description->isVisible());
        QVERIFY(description->height() >= description->heightForWidth(description->width()));
    }

    void sidebarListsBundlesInKnownOrder()
    {
        addBundle(QStringLiteral("Pimbrel"));
        addBundle(QStringLiteral("Dulvet"));
        // A plain file counts as much as a folder.
        QFile morrak(platform->appBundlePath(QStringLiteral("Morrak")));
        QVERIFY(morrak.open(QIODevice::WriteOnly));
        morrak.close();
        auto view = makeView();
        QVERIFY(start(*view));
        QCOMPARE(sidebarRows(*view->sidebar()),
                 QStringList({QStringLiteral("header:My Apps"),
                              QStringLiteral("item:Dulvet/dollarsign.circle"),
                              QStringLiteral("item:Morrak/target"),
                              QStringLiteral("item:Pimbrel/note.text")}) +
                     kFixedRows);
        QCOMPARE(qobject_cast<InstalledAppsGrid*>(view->currentPage())->cards().size(), 3);
        QCOMPARE(view->windowTitle(), QStringLiteral("My Apps"));
    }

    void selectionOpensEachSection()
    {
        addBundle(QStringLiteral("Orvane"));
        auto view = makeView(SidebarItem::section(Kind::Account));
        QCOMPARE(view->selection(), SidebarItem::section(Kind::Store)); // before the start-up task
        QVERIFY(start(*view));
        QCOMPARE(view->selection(), SidebarItem::section(Kind::Account));

        Sidebar* sidebar = view->sidebar();
        const QList<std::pair<QString, QString>> sections{
            {QStringLiteral("Browse"), QStringLiteral("Store")},
            {QStringLiteral("Updates"), QStringLiteral("Updates")},
            {QStringLiteral("Account"), QStringLiteral("Account")},
            {QStringLiteral("Settings"), QStringLiteral("Settings")}};
        for (const auto& [row, title] : sections) {
            QListWidgetItem* item = sidebar->findItems(row, Qt::MatchExactly).first();
            QTest::mouseClick(
                sidebar->viewport(), Qt::LeftButton, {}, sidebar->visualItemRect(item).center());
            auto* page = qobject_cast<PlaceholderPage*>(view->currentPage());
            QVERIFY2(page, qPrintable(row));
            QCOMPARE(page->findChild<QLabel*>(QStringLiteral("pageTitle"))->text(), title);
            QCOMPARE(view->windowTitle(), title);
        }

        QListWidgetItem* orvane = sidebar->findItems(QStringLiteral("Orvane"), Qt::MatchExactly).first();
        QTest::mouseClick(sidebar->viewport(), Qt::LeftButton, {}, sidebar->visualItemRect(orvane).center());
        QCOMPARE(view->selection(), SidebarItem::app(QStringLiteral("orvane")));
        auto* detail = qobject_cast<InstalledAppDetail*>(view->currentPage());
        QVERIFY(detail);
        QCOMPARE(detail->app().name, QStringLiteral("Orvane"));

        // Headers and notes select nothing.
        QListWidgetItem* header = sidebar->findItems(QStringLiteral("Store"), Qt::MatchExactly).first();
        QTest::mouseClick(sidebar->viewport(), Qt::LeftButton, {}, sidebar->visualItemRect(header).center());
        QCOMPARE(view->selection(), SidebarItem::app(QStringLiteral("orvane")));
    }

    void vanishedAppShowsAppNotFound()
    {
        addBundle(QStringLiteral("Silvane"));
        auto view = makeView(SidebarItem::app(QStringLiteral("SILVANE")));
        QVERIFY(start(*view));
        QVERIFY(qobject_cast<InstalledAppDetail*>(view->currentPage()));

        // Removed behind the window's back: noticed at the next look for bundles.
        QVERIFY(QDir(platform->appBundlePath(QStringLiteral("Silvane"))).removeRecursively());
        view->refreshInstalledApps();
        auto* missing = qobject_cast<ui::EmptyStateView*>(view->currentPage());
        QVERIFY(missing);
        QCOMPARE(missing->title(), QStringLiteral("App not found"));
        QCOMPARE(missing->symbolName(), QStringLiteral("questionmark.app"));
        QVERIFY(missing->description().isEmpty());
        QCOMPARE(view->selection(), SidebarItem::app(QStringLiteral("silvane")));
        QVERIFY(view->sidebar()->selectedItems().isEmpty());
    }

    void uninstallReturnsToTheGridWithoutTheApp()
    {
        addBundle(QStringLiteral("Orvane"));
        addBundle(QStringLiteral("Dulvet"));
        auto view = makeView(SidebarItem::app(QStringLiteral("orvane")));
        QVERIFY(start(*view));
        auto* detail = qobject_cast<InstalledAppDetail*>(view->currentPage());
        QVERIFY(detail);
        detail->findChild<QPushButton*>(QStringLiteral("uninstallButton"))->click();
        QTRY_VERIFY(detail->confirmation() && detail->confirmation()->isVisible());
        detail->confirmation()->button(UninstallDialog::Choice::KeepData)->click();

        QTRY_COMPARE(view->selection(), SidebarItem::section(Kind::MyApps));
        auto* grid = qobject_cast<InstalledAppsGrid*>(view->currentPage());
        QVERIFY(grid);
        QCOMPARE(grid->cards().size(), 1);
        QCOMPARE(grid->cards().first()->app().name, QStringLiteral("Dulvet"));
        QCOMPARE(
            sidebarRows(*view->sidebar()).mid(0, 2),
            (QStringList{QStringLiteral("header:My Apps"), QStringLiteral("item:Dulvet/dollarsign.circle")}));
        QVERIFY(view->sidebar()->selectedItems().isEmpty());
    }

    void startUpProbesTheHubAndShowsItInTheStatusBar()
    {
        FakeHub fake;
        fake.on("GET", "/api", ScriptedReply::json(R"({"status":"ok"})"));
        fake.on("GET", "/api/apps", ScriptedReply::json(appsJson(2)));
        hub->setPort(fake.port());
        auto view = makeView();
        QCOMPARE(statusText(*view), QStringLiteral("Hub Stopped"));
        QVERIFY(start(*view));

        QCOMPARE(fake.requests().size(), 2);
        QCOMPARE(fake.requests()[0].path, QByteArray("/api"));
        QCOMPARE(fake.requests()[1].path, QByteArray("/api/apps"));
        QCOMPARE(statusText(*view), QStringLiteral("Hub Running on :%1 · 2 apps").arg(fake.port()));
        QCOMPARE(view->statusBar()->dotColor(), ui::NamedColor::Green);
        QCOMPARE(toggleButton(*view)->text(), QStringLiteral("Stop"));
    }

    void statusBarCountsTheHubsApps_data()
    {
        QTest::addColumn<int>("apps");
        QTest::addColumn<QString>("countText");
        QTest::newRow("none") << 0 << QStringLiteral("0 apps");
        QTest::newRow("one") << 1 << QStringLiteral("1 app");
        QTest::newRow("twelve") << 12 << QStringLiteral("12 apps");
    }

    void statusBarCountsTheHubsApps()
    {
        QFETCH(int, apps);
        QFETCH(QString, countText);
        FakeHub fake;
        fake.on("GET", "/api", ScriptedReply::json("{}"));
        fake.on("GET", "/api/apps", ScriptedReply::json(appsJson(apps)));
        hub->setPort(fake.port());
        // The count is the Hub's, not the number of bundles in the sidebar.
        addBundle(QStringLiteral("Orvane"));
        auto view = makeView();
        QVERIFY(start(*view));
        QCOMPARE(statusText(*view),
                 QStringLiteral("Hub Running on :%1 · %2").arg(fake.port()).arg(countText));
    }

    void stoppedHubOffersStartAndStartsTwiceWhenAskedTwice()
    {
        auto view = makeView();
        QVERIFY(start(*view));
        QCOMPARE(statusText(*view), QStringLiteral("Hub Stopped"));
        QCOMPARE(view->statusBar()->dotColor(), ui::NamedColor::Red);
        QCOMPARE(toggleButton(*view)->text(), QStringLiteral("Start"));

        toggleButton(*view)->click();
        toggleButton(*view)->click();
        QCOMPARE(platform->launches.size(), 2);
        for (const auto& launch : platform->launches) {
            QCOMPARE(launch.program, QStringLiteral("/usr/bin/env"));
            QCOMPARE(
                launch.arguments,
                (QStringList{QStringLiteral("zandrel"), QStringLiteral("hub"), QStringLiteral("start")}));
        }
    }

    void runningHubOffersStopAndTheBarFollowsTheRefresh()
    {
        FakeHub fake;
        fake.on("GET", "/api", ScriptedReply::json("{}"));
        fake.on("GET", "/api/apps", ScriptedReply::json(appsJson(1)));
        hub->setPort(fake.port());
        auto view = makeView();
        QVERIFY(start(*view));
        QCOMPARE(toggleButton(*view)->text(), QStringLiteral("Stop"));

        // The Hub goes away; the bar changes only with the refresh that follows the stop request.
        hub->setPort(FakeHub::unusedPort());
        toggleButton(*view)->click();
        QCOMPARE(platform->launches.size(), 1);
        QCOMPARE(platform->launches.first().arguments.last(), QStringLiteral("stop"));
        QCOMPARE(toggleButton(*view)->text(), QStringLiteral("Stop"));
        QTRY_COMPARE(statusText(*view), QStringLiteral("Hub Stopped"));
        QCOMPARE(toggleButton(*view)->text(), QStringLiteral("Start"));
    }
};

QTEST_MAIN(TestContentView)
#include "tst_content_view.moc"
