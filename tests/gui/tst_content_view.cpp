// The main window: the sidebar for the bundles on disk, the selection and its pages, the start-up
// task against a fake Hub, the status bar and its Start/Stop wiring, and returning to the grid.

#include "PageFixture.h"
#include "app/AboutDialog.h"
#include "app/ContentView.h"
#include "app/StatusBar.h"
#include "hub_api/HubState.h"
#include "installed/InstalledAppCard.h"
#include "installed/InstalledAppDetail.h"
#include "installed/InstalledAppsGrid.h"
#include "installed/Sidebar.h"
#include "installed/UninstallDialog.h"
#include "store/StoreService.h"
#include "ui/ElidedLabel.h"
#include "ui/EmptyStateView.h"
#include "ui/PageLife.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

using Kind = SidebarItem::Kind;
using RowType = Sidebar::RowType;

// The sidebar as the user reads it: "header:", "note:" or "item:" rows with their text, items with
// their symbol.
QStringList sidebarRows(const Sidebar& sidebar)
{
    QStringList rows;
    for (int row = 0; row < sidebar.count(); ++row) {
        const QListWidgetItem* item = sidebar.item(row);
        const auto type = static_cast<RowType>(item->data(Sidebar::RowTypeRole).toInt());
        if (type == RowType::Header || type == RowType::Note)
            rows.append((type == RowType::Header ? u"header:"_s : u"note:"_s) + item->text());
        else if (type == RowType::Item)
            rows.append(u"item:"_s + item->text() + u'/' + item->data(Sidebar::SymbolRole).toString());
    }
    return rows;
}

const QStringList kFixedRows = u"header:Store item:Browse/bag item:Updates/arrow.down.circle "
                               "item:Account/person.crop.circle item:Settings/gear"_s.split(u' ');

void clickRow(Sidebar* sidebar, const QString& text)
{
    QListWidgetItem* item = sidebar->findItems(text, Qt::MatchExactly).first();
    QTest::mouseClick(sidebar->viewport(), Qt::LeftButton, {}, sidebar->visualItemRect(item).center());
}

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
    return view.statusBar()->findChild<QPushButton*>(u"hubToggleButton"_s);
}

} // namespace

class TestContentView : public QObject, PageFixture {
    Q_OBJECT

    void addBundle(const QString& name) { QVERIFY(QDir().mkpath(platform->appBundlePath(name))); }

    // The fake Hub runs with this many apps, and the Hub state is pointed at it.
    void runningHub(int apps)
    {
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        const QByteArray app = R"({"id":"a","name":"App"})";
        hub->on("GET", "/api/apps", ScriptedReply::json('[' + QByteArrayList(apps, app).join(',') + ']'));
        hubState->setPort(hub->port());
    }

    std::unique_ptr<ContentView>
    makeView(std::optional<SidebarItem> initial = SidebarItem::section(Kind::MyApps))
    {
        return std::make_unique<ContentView>(context(), initial);
    }

    // Shows the window and waits for its start-up task.
    bool start(ContentView& view)
    {
        QSignalSpy finished(&view, &ContentView::startUpFinished);
        view.show();
        return finished.count() > 0 || finished.wait(10000);
    }

private Q_SLOTS:
    void init() { setUp(Hub::Refusing); }
    void cleanup() { tearDown(); }

    void windowWithoutBundlesSaysNoAppsInstalled()
    {
        // A folder of an app that is not known does not count.
        addBundle(u"Zebra"_s);
        auto view = makeView();
        QCOMPARE(view->size(), QSize(800, 550));
        QCOMPARE(view->minimumSize(), QSize(600, 400));
        QVERIFY(start(*view));
        QVERIFY(view->sidebar()->width() >= 160 && view->sidebar()->minimumWidth() >= 160);
        // The status bar sits below the page, in the detail column only.
        QVERIFY(view->statusBar()->mapTo(view.get(), QPoint()).x() >= view->sidebar()->width());
        QCOMPARE(view->statusBar()->mapTo(view.get(), QPoint(0, view->statusBar()->height())).y(),
                 view->height());

        QCOMPARE(sidebarRows(*view->sidebar()),
                 QStringList({u"header:My Apps"_s, u"note:No apps installed"_s}) + kFixedRows);
        QVERIFY(!(view->sidebar()->findItems(u"No apps installed"_s, Qt::MatchExactly).first()->flags() &
                  Qt::ItemIsSelectable));
        // The grid's empty state (its texts are the installed views' test), its description shown whole.
        auto* empty = view->currentPage()->findChild<ui::EmptyStateView*>();
        QVERIFY(empty);
        auto* description = empty->findChild<QLabel*>(u"emptyStateDescription"_s);
        QTRY_VERIFY(description->isVisible());
        QVERIFY(description->height() >= description->heightForWidth(description->width()));
    }

    void sidebarListsBundlesInKnownOrderAndSelectionOpensEachSection()
    {
        addBundle(u"Pimbrel"_s);
        addBundle(u"Dulvet"_s);
        // A plain file counts as much as a folder.
        QVERIFY(QFile(platform->appBundlePath(u"Morrak"_s)).open(QIODevice::WriteOnly));
        auto view = makeView();
        // Only the page the start asks for is built, and only once.
        QCOMPARE(view->selection(), SidebarItem::section(Kind::MyApps));
        QSignalSpy pages(view.get(), &ContentView::pageChanged);
        QVERIFY(start(*view));
        QCOMPARE(pages.count(), 0);
        Sidebar* sidebar = view->sidebar();
        QCOMPARE(sidebarRows(*sidebar),
                 QStringList({u"header:My Apps"_s,
                              u"item:Dulvet/dollarsign.circle"_s,
                              u"item:Morrak/target"_s,
                              u"item:Pimbrel/note.text"_s}) +
                     kFixedRows);
        QCOMPARE(qobject_cast<InstalledAppsGrid*>(view->currentPage())->cards().size(), 3);
        QCOMPARE(view->windowTitle(), u"My Apps"_s);

        for (const auto& [row, title] : {std::pair{"Browse", "Store"},
                                         std::pair{"Updates", "Updates"},
                                         std::pair{"Account", "Account"},
                                         std::pair{"Settings", "Settings"}}) {
            clickRow(sidebar, QLatin1String(row));
            QCOMPARE(view->currentPage()->windowTitle(), QLatin1String(title));
            QCOMPARE(view->windowTitle(), QLatin1String(title));
        }
        clickRow(sidebar, u"Dulvet"_s);
        QCOMPARE(view->selection(), SidebarItem::app(u"dulvet"_s));
        QPointer<QWidget> detail = view->currentPage();
        QVERIFY(qobject_cast<InstalledAppDetail*>(detail));
        QCOMPARE(qobject_cast<InstalledAppDetail*>(detail)->app().name, u"Dulvet"_s);
        // Headers and notes select nothing.
        clickRow(sidebar, u"Store"_s);
        QCOMPARE(view->selection(), SidebarItem::app(u"dulvet"_s));

        // The "My Apps" header brings the grid back; the page it replaces is retired at once, before
        // it is deleted, so its coroutines stop at their next step.
        clickRow(sidebar, u"My Apps"_s);
        QCOMPARE(view->selection(), std::nullopt);
        QVERIFY(qobject_cast<InstalledAppsGrid*>(view->currentPage()));
        QVERIFY(sidebar->selectedItems().isEmpty());
        QVERIFY(detail && !ui::isLive(detail));
        QTRY_VERIFY(!detail);
    }

    void vanishedAppShowsAppNotFoundAndUninstallReturnsToTheGrid()
    {
        for (const QString& name : {u"Orvane"_s, u"Dulvet"_s, u"Silvane"_s})
            addBundle(name);
        auto view = makeView(SidebarItem::app(u"SILVANE"_s));
        QVERIFY(start(*view));
        QVERIFY(qobject_cast<InstalledAppDetail*>(view->currentPage()));

        // Removed behind the window's back: noticed at the next look for bundles.
        QVERIFY(QDir(platform->appBundlePath(u"Silvane"_s)).removeRecursively());
        view->refreshInstalledApps();
        auto* missing = qobject_cast<ui::EmptyStateView*>(view->currentPage());
        QVERIFY(missing);
        QCOMPARE(missing->title(), u"App not found"_s);
        QCOMPARE(missing->symbolName(), u"questionmark.app"_s);
        QVERIFY(missing->description().isEmpty());
        QCOMPARE(view->selection(), SidebarItem::app(u"silvane"_s));
        QVERIFY(view->sidebar()->selectedItems().isEmpty());

        const auto uninstall = [&](const QString& name) {
            clickRow(view->sidebar(), name);
            auto* detail = qobject_cast<InstalledAppDetail*>(view->currentPage());
            QVERIFY(detail);
            detail->findChild<QPushButton*>(u"uninstallButton"_s)->click();
            QTRY_VERIFY(detail->confirmation() && detail->confirmation()->isVisible());
            detail->confirmation()->button(UninstallDialog::Choice::KeepData)->click();
            QTRY_COMPARE(view->selection(), SidebarItem::section(Kind::MyApps));
        };
        // A bundle that cannot be deleted: no message, back on the grid, and the app is still there.
        platform->undeletable.append(platform->appBundlePath(u"Orvane"_s));
        uninstall(u"Orvane"_s);
        QCOMPARE(qobject_cast<InstalledAppsGrid*>(view->currentPage())->cards().size(), 2);

        platform->undeletable.clear();
        uninstall(u"Orvane"_s);
        auto* grid = qobject_cast<InstalledAppsGrid*>(view->currentPage());
        QVERIFY(grid);
        QCOMPARE(grid->cards().size(), 1);
        QCOMPARE(grid->cards().first()->app().name, u"Dulvet"_s);
        QCOMPARE(sidebarRows(*view->sidebar()).mid(0, 3),
                 (QStringList{u"header:My Apps"_s, u"item:Dulvet/dollarsign.circle"_s, u"header:Store"_s}));
        QVERIFY(view->sidebar()->selectedItems().isEmpty());
    }

    void startUpProbesTheHubAndCountsItsApps_data()
    {
        QTest::addColumn<int>("apps");
        QTest::addColumn<QString>("countText");
        QTest::newRow("none") << 0 << u"0 apps"_s;
        QTest::newRow("one") << 1 << u"1 app"_s;
        QTest::newRow("twelve") << 12 << u"12 apps"_s;
    }

    void startUpProbesTheHubAndCountsItsApps()
    {
        QFETCH(int, apps);
        QFETCH(QString, countText);
        runningHub(apps);
        // The count is the Hub's, not the number of bundles in the sidebar.
        addBundle(u"Orvane"_s);
        auto view = makeView();
        QCOMPARE(statusText(*view), u"Hub Stopped"_s);
        QVERIFY(start(*view));

        QCOMPARE(hub->requests().size(), 2);
        QCOMPARE(hub->requests()[0].path, QByteArray("/api"));
        QCOMPARE(hub->requests()[1].path, QByteArray("/api/apps"));
        QCOMPARE(statusText(*view), u"Hub Running on :%1 · %2"_s.arg(hub->port()).arg(countText));
        QCOMPARE(view->statusBar()->dotColor(), ui::NamedColor::Green);
        QCOMPARE(toggleButton(*view)->text(), u"Stop"_s);
    }

    void stopAndStartAreWiredAndTheBarFollowsTheRefresh()
    {
        // What the Hub command runs, and pressing twice, are the Hub state's test.
        runningHub(1);
        auto view = makeView();
        QVERIFY(start(*view));
        // The Hub goes away; the bar changes only with the refresh that follows the stop request.
        hubState->setPort(FakeHub::refusingPort());
        toggleButton(*view)->click();
        QCOMPARE(platform->launches.size(), 1);
        QCOMPARE(platform->launches.last().arguments.last(), u"stop"_s);
        QCOMPARE(toggleButton(*view)->text(), u"Stop"_s);
        QTRY_COMPARE(statusText(*view), u"Hub Stopped"_s);
        QCOMPARE(view->statusBar()->dotColor(), ui::NamedColor::Red);
        QCOMPARE(toggleButton(*view)->text(), u"Start"_s);

        // Back again: the bar follows the refresh that follows the start request.
        hubState->setPort(hub->port());
        toggleButton(*view)->click();
        QCOMPARE(platform->launches.size(), 2);
        QCOMPARE(platform->launches.last().arguments.last(), u"start"_s);
        QTRY_COMPARE(statusText(*view), u"Hub Running on :%1 · 1 app"_s.arg(hub->port()));
        QCOMPARE(toggleButton(*view)->text(), u"Stop"_s);
    }

    void theBarSaysWhyAndActivationRefreshesAtMostOncePerInterval()
    {
        hub->on("GET", "/api", ScriptedReply::json("{}", 404));
        hubState->setPort(hub->port());
        auto view = makeView();
        QVERIFY(start(*view));
        const QString why = u"Port %1 answers, but not as the Hub (HTTP 404)"_s.arg(hub->port());
        auto* problem = view->statusBar()->findChild<ui::ElidedLabel*>(u"hubProblem"_s);
        QCOMPARE(statusText(*view), u"Hub Stopped"_s);
        QVERIFY(problem->isVisibleTo(view.get()));
        QCOMPARE(problem->fullText(), why);
        QCOMPARE(problem->toolTip(), why);
        QCOMPARE(problem->accessibleDescription(), why);
        // Squeezed, it gives way with an ellipsis; the button keeps its place.
        view->resize(view->sidebar()->width() + 260, 500);
        QTRY_VERIFY(problem->text().endsWith(u'…'));
        QVERIFY(toggleButton(*view)->geometry().right() < view->statusBar()->width());

        // Coming back to the window shows the Hub as it is now.
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json("[]"));
        view->setActivationRefreshInterval(0ms);
        QWidget other;
        const auto activate = [](QWidget& window) {
            window.show();
            window.activateWindow();
            QTRY_VERIFY(window.isActiveWindow());
        };
        activate(other);
        activate(*view);
        QTRY_COMPARE(statusText(*view), u"Hub Running on :%1 · 0 apps"_s.arg(hub->port()));
        QVERIFY(!problem->isVisibleTo(view.get()));
        QTRY_COMPARE(hub->requestsTo("GET", "/api/apps").size(), 1);

        // Within the interval, coming back asks nothing.
        view->setActivationRefreshInterval(std::chrono::minutes(1));
        const qsizetype asked = hub->requests().size();
        activate(other);
        activate(*view);
        // Past the interval again, the next coming back refreshes: had the one before asked too, its
        // requests would have come first.
        view->setActivationRefreshInterval(0ms);
        activate(other);
        activate(*view);
        QTRY_COMPARE(hub->requestsTo("GET", "/api/apps").size(), 2);
        QCOMPARE(hub->requests().size(), asked + 2);
    }

    void aboutOpensFromTheSidebarOnceAndItsLinksGoToTheDesktop()
    {
        auto view = makeView();
        QVERIFY(start(*view));
        view->findChild<QPushButton*>(u"aboutButton"_s)->click();
        auto* about = view->findChild<AboutDialog*>();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->findChild<QLabel*>(u"aboutVersion"_s)->text(),
                 u"Version "_s + AboutDialog::version());
        // Asking again brings the same dialog forward rather than a second one.
        QCOMPARE(view->showAbout(), about);
        QCOMPARE(view->findChildren<AboutDialog*>().size(), 1);
        about->close();
        QTRY_VERIFY(view->findChildren<AboutDialog*>().isEmpty());
        about = view->showAbout();
        QCOMPARE(view->findChildren<AboutDialog*>().size(), 1);

        // Ours, the icon set's and Qt's licences at least, each opened by the desktop.
        const QList<QLabel*> links = about->findChildren<QLabel*>(u"licenceLink"_s);
        QVERIFY(links.size() >= 3);
        QStringList texts;
        for (QLabel* link : links)
            texts.append(link->text());
        const QString all = texts.join(u'\n');
        QVERIFY(all.contains(u"MIT License"_s) && all.contains(u"GNU LGPL version 3"_s));
        const QString href =
            QRegularExpression(u"href=\"([^\"]+)\""_s).match(links.first()->text()).captured(1);
        QVERIFY(href.startsWith(u"https://"_s));
        Q_EMIT links.first()->linkActivated(href);
        QCOMPARE(platform->openedUrls, QList<QUrl>{QUrl(href)});

        about->findChild<QPushButton*>(u"aboutClose"_s)->click();
        QTRY_VERIFY(view->findChildren<AboutDialog*>().isEmpty());
    }
};

QTEST_MAIN(TestContentView)
#include "tst_content_view.moc"
