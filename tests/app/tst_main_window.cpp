// The desktop application around the pages: the menu bar's actions and their keys, the shortcuts
// dialog, the tray icon and what closing the window does, the remembered window, and the notification
// of an install from a link.

#include "AsyncTest.h"
#include "PageFixture.h"
#include "PseudoLocale.h"
#include "UpdateReplies.h"
#include "app/AboutDialog.h"
#include "app/ContentView.h"
#include "app/MainWindow.h"
#include "app/ShortcutsDialog.h"
#include "app/StatusBar.h"
#include "app/Translations.h"
#include "app/TrayIcon.h"
#include "app/ZandrelHubApp.h"
#include "installed/Sidebar.h"
#include "preferences/Preferences.h"
#include "settings/AuditLogPanel.h"
#include "settings/HubSettingsTab.h"
#include "settings/SettingsView.h"
#include "store/StoreAppDetailSheet.h"
#include "store/StoreView.h"
#include "store/UpdateChecker.h"
#include "store/UpdatesView.h"
#include "ui/ApplicationIcon.h"
#include "ui/Label.h"
#include "ui/SymbolView.h"
#include "ui/ToggleSwitch.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

using Kind = SidebarItem::Kind;

QStringList menuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (action->isVisible())
            texts.append(action->isSeparator() ? u"-"_s : action->text());
    }
    return texts;
}

} // namespace

class TestMainWindow : public QObject, PageFixture {
    Q_OBJECT

    std::unique_ptr<Preferences> preferences;

    std::unique_ptr<MainWindow> makeWindow(std::optional<SidebarItem> section = std::nullopt)
    {
        PageContext page = context();
        page.preferences = preferences.get();
        auto window = std::make_unique<MainWindow>(page, section, *preferences);
        return window;
    }

    static bool showActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    void answerAsARunningHub()
    {
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json(R"([{"id":"a","name":"A"},{"id":"b","name":"B"}])"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // A link's sheet holds Install back for a moment; one test looks at that, the rest need not wait.
        StoreAppDetailSheet::setLinkInstallDelay(std::chrono::milliseconds(0));
    }
    void init()
    {
        setUp();
        preferences = std::make_unique<Preferences>(home->filePath(u"config/desktop.ini"_s));
    }
    void cleanup()
    {
        hubState->shutDown(); // ends the looks a Start or Stop left waiting
        preferences.reset();
        tearDown();
    }

    void menusHoldEveryCommandWithItsKeys()
    {
        auto window = makeWindow();
        QStringList menus;
        for (const QAction* menu : window->menuBar()->actions())
            menus.append(menu->text());
        QCOMPARE(menus, QStringList({u"H&ub"_s, u"&Go"_s, u"&Help"_s}));
        QCOMPARE(menuTexts(*window->findChild<QMenu*>(u"hubMenu"_s)),
                 QStringList({u"Start Hub"_s, u"Refresh"_s, u"Show Hub Log"_s, u"-"_s, u"Quit"_s}));
        QCOMPARE(menuTexts(*window->findChild<QMenu*>(u"goMenu"_s)),
                 QStringList({u"My Apps"_s,
                              u"Browse"_s,
                              u"Updates"_s,
                              u"Account"_s,
                              u"Settings"_s,
                              u"-"_s,
                              u"Find in Store"_s}));
        QCOMPARE(menuTexts(*window->findChild<QMenu*>(u"helpMenu"_s)),
                 QStringList({u"Keyboard Shortcuts"_s, u"About Zandrel Hub"_s}));

        // The dialog lists every command with the keys the actions carry: it is read from them.
        const QStringList expected = {u"Start Hub\t"_s,
                                      u"Refresh\tF5"_s,
                                      u"Show Hub Log\tCtrl+L"_s,
                                      u"Quit\tCtrl+Q"_s,
                                      u"My Apps\tCtrl+1"_s,
                                      u"Browse\tCtrl+2"_s,
                                      u"Updates\tCtrl+3"_s,
                                      u"Account\tCtrl+4"_s,
                                      u"Settings\tCtrl+,"_s,
                                      u"Find in Store\tCtrl+F"_s,
                                      u"Keyboard Shortcuts\t"_s,
                                      u"About Zandrel Hub\tF1"_s};
        ShortcutsDialog* dialog = window->showShortcuts();
        QCOMPARE(dialog->rows(), expected);
        QCOMPARE(window->showShortcuts(), dialog); // brought forward, not a second one
        QCOMPARE(ShortcutsDialog::plainText(u"&Save && Quit\u2026"_s), u"Save & Quit"_s);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!window->findChild<ShortcutsDialog*>());
    }

    void menusTrayAndDialogsAreTranslated()
    {
        PseudoLocale pseudo;
        QCoreApplication::installTranslator(&pseudo);
        auto window = makeWindow();
        TrayIcon tray(*hubState, window->startStopAction());
        QList<QAction*> actions = window->menuBar()->actions() + tray.menu()->actions();
        for (QMenu* menu : window->findChildren<QMenu*>())
            actions += menu->actions();
        ShortcutsDialog* dialog = window->showShortcuts();
        QStringList texts = {tray.toolTip(), dialog->windowTitle()};
        for (const QAction* action : actions) {
            if (!action->isSeparator())
                texts.append(action->text());
        }
        texts += dialog->rows();
        QCoreApplication::removeTranslator(&pseudo);
        for (const QString& text : texts)
            QVERIFY2(text.startsWith(QChar(PseudoLocale::open)), qPrintable(text));
    }

    // What a German desktop shows: our texts from the German catalogue, counts in German plurals, and
    // Qt's own buttons from Qt's catalogue.
    void aGermanUserSeesGerman()
    {
        const auto english = qScopeGuard([] {
            Translations::removeAll();
            Translations::installEnglish();
        });
        QCOMPARE(Translations::install(QLocale(QLocale::German, QLocale::Germany).uiLanguages()), u"de"_s);
        answerAsARunningHub();
        auto window = makeWindow(SidebarItem::section(Kind::Settings));
        QSignalSpy started(&window->content(), &ContentView::startUpFinished);
        QVERIFY(showActive(*window));
        QTRY_COMPARE(started.count(), 1);

        QStringList rows;
        const Sidebar* sidebar = window->content().sidebar();
        for (int row = 0; row < sidebar->count(); ++row)
            rows.append(sidebar->item(row)->text());
        for (const QString& section : {u"Entdecken"_s, u"Aktualisierungen"_s, u"Konto"_s, u"Einstellungen"_s})
            QVERIFY2(rows.contains(section), qPrintable(rows.join(u", "_s)));
        QCOMPARE(window->content().statusBar()->findChild<QLabel*>(u"hubStatusText"_s)->text(),
                 u"Hub läuft auf :%1"_s.arg(hub->port()));
        QCOMPARE(window->content().statusBar()->findChild<QLabel*>(u"hubAppCount"_s)->text(), u"2 Apps"_s);
        QTabWidget* tabs = window->content().currentPage()->findChild<QTabWidget*>();
        QCOMPARE(tabs->tabText(0), u"KI"_s);
        QCOMPARE(tabs->tabText(2), u"Berechtigungen"_s);
        QCOMPARE(window->findChild<QMenu*>(u"helpMenu"_s)->title(), u"&Hilfe"_s);
        QCOMPARE(window->startStopAction()->text(), u"Hub stoppen"_s);
        QDialogButtonBox* buttons = window->showShortcuts()->findChild<QDialogButtonBox*>();
        QVERIFY2(buttons->buttons().first()->text().contains(u"Schlie"_s),
                 qPrintable(buttons->buttons().first()->text()));
    }

    void eachShortcutDoesItsJob()
    {
        auto window = makeWindow(SidebarItem::section(Kind::MyApps));
        ContentView& content = window->content();
        content.setActivationRefreshInterval(1h); // only the start-up's and Refresh's looks are counted
        QSignalSpy started(&content, &ContentView::startUpFinished);
        QVERIFY(showActive(*window));
        QTRY_COMPARE(started.count(), 1);
        const std::pair<QKeySequence, Kind> sections[] = {
            {QKeySequence(u"Ctrl+2"_s), Kind::Store},
            {QKeySequence(u"Ctrl+3"_s), Kind::Updates},
            {QKeySequence(u"Ctrl+4"_s), Kind::Account},
            {QKeySequence(u"Ctrl+,"_s), Kind::Settings},
            {QKeySequence(u"Ctrl+1"_s), Kind::MyApps},
        };
        for (const auto& [keys, kind] : sections) {
            QTest::keySequence(window.get(), keys);
            QCOMPARE(content.selection(), SidebarItem::section(kind));
        }

        // Find in Store: Browse, with the cursor in its search field.
        QTest::keySequence(window.get(), QKeySequence(u"Ctrl+F"_s));
        QCOMPARE(content.selection(), SidebarItem::section(Kind::Store));
        auto* search = content.currentPage()->findChild<QLineEdit*>(u"searchField"_s);
        QTRY_VERIFY(search->hasFocus());

        // Refresh: the Hub's status and the page shown, here the store's categories and catalogue.
        auto* store = qobject_cast<StoreView*>(content.currentPage());
        QTRY_VERIFY(store->content() != StoreView::Content::Loading);
        const qsizetype catalogues = hub->requestsTo("GET", "/api/store/apps").size();
        const qsizetype probes = hub->requestsTo("GET", "/api").size();
        QTest::keyClick(window.get(), Qt::Key_F5);
        QTRY_COMPARE(hub->requestsTo("GET", "/api/store/apps").size(), catalogues + 1);
        QTRY_COMPARE(hub->requestsTo("GET", "/api").size(), probes + 1);
        QCOMPARE(content.currentPage(), store); // reloaded in place
        QVERIFY(showActive(*window));
        QTest::keySequence(window.get(), QKeySequence(u"Ctrl+3"_s));
        QCOMPARE(content.selection(), SidebarItem::section(Kind::Updates));

        // The offscreen platform lets go of the window when the focused page goes.
        QVERIFY(showActive(*window));
        QTest::keyClick(window.get(), Qt::Key_F1);
        QTRY_VERIFY(content.findChild<AboutDialog*>());
        QTest::keyClick(content.findChild<AboutDialog*>(), Qt::Key_Escape);
        QTRY_VERIFY(!content.findChild<AboutDialog*>());

        QSignalSpy quit(window.get(), &MainWindow::quitRequested);
        QVERIFY(showActive(*window));
        QTest::keySequence(window.get(), QKeySequence(u"Ctrl+Q"_s));
        QCOMPARE(quit.count(), 1);
        QVERIFY(window->close()); // what quitting does to every window: no second request
        QCOMPARE(quit.count(), 1);
        // Quitting keeps where the user was.
        QCOMPARE(SidebarItem::fromKey(Preferences(preferences->filePath()).sectionKey()),
                 SidebarItem::section(Kind::Updates));
    }

    void visitingTheSectionsAgainLeavesNothingBehind()
    {
        answerAsARunningHub();
        auto window = makeWindow();
        QSignalSpy started(&window->content(), &ContentView::startUpFinished);
        window->show();
        QTRY_COMPARE(started.count(), 1);
        const auto visitAll = [&] {
            for (const Kind kind :
                 {Kind::MyApps, Kind::Store, Kind::Updates, Kind::Account, Kind::Settings}) {
                window->goTo(SidebarItem::section(kind));
                hub->settle();
                // What deleteLater left goes, as the running application's event loop would do it.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            window->findChild<QAction*>(u"refreshAction"_s)->trigger();
            hub->settle();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return window->findChildren<QObject*>().size();
        };
        const qsizetype once = visitAll();
        QCOMPARE(visitAll(), once);
        QCOMPARE(visitAll(), once);
    }

    void comingBackToTheWindowLooksAtTheHubAgain()
    {
        answerAsARunningHub();
        auto window = makeWindow();
        window->content().setActivationRefreshInterval(1h);
        QSignalSpy started(&window->content(), &ContentView::startUpFinished);
        QVERIFY(showActive(*window));
        QTRY_COMPARE(started.count(), 1);
        const qsizetype probes = hub->requestsTo("GET", "/api").size();
        window->content().setActivationRefreshInterval(0ms);
        QWidget other;
        QVERIFY(showActive(other));
        QVERIFY(showActive(*window));
        QTRY_COMPARE(hub->requestsTo("GET", "/api").size(), probes + 1);
    }

    void startStopFollowsTheHubAndWaitsForItsCommand()
    {
        answerAsARunningHub();
        hubState->setRefreshDelays(200ms, 200ms);
        auto window = makeWindow();
        QAction* action = window->startStopAction();
        QCOMPARE(action->text(), u"Start Hub"_s);
        await(hubState->refresh());
        QCOMPARE(action->text(), u"Stop Hub"_s);

        action->trigger();
        QCOMPARE(platform->launches.last().arguments, QStringList({u"zandrel"_s, u"hub"_s, u"stop"_s}));
        // Until the look that confirms the stop, a second press could only contradict it.
        QVERIFY(!action->isEnabled());
        hub->on("GET", "/api", ScriptedReply::close());
        QTRY_VERIFY(action->isEnabled());
        QCOMPARE(action->text(), u"Start Hub"_s);
        action->trigger();
        QCOMPARE(platform->launches.last().arguments, QStringList({u"zandrel"_s, u"hub"_s, u"start"_s}));
        QVERIFY(!action->isEnabled());
    }

    void withoutATrayClosingQuitsAndTheSwitchSaysWhy()
    {
        TrayIcon tray(*hubState, new QAction(u"Start Hub"_s, this));
        QVERIFY(!tray.isAvailable()); // the offscreen platform has none
        QVERIFY(!tray.notify(u"t"_s, u"b"_s));
        // The tray says how many updates wait, and its entry for them appears only then.
        tray.setUpdateCount(3);
        QVERIFY(tray.toolTip().endsWith(u"\n3 updates available"_s) && tray.updatesAction()->isVisible());
        QSignalSpy toUpdates(&tray, &TrayIcon::updatesRequested);
        tray.updatesAction()->trigger();
        QCOMPARE(toUpdates.count(), 1);
        tray.setUpdateCount(0);
        QVERIFY(!tray.toolTip().contains(u"update"_s) && !tray.updatesAction()->isVisible());
        preferences->setTrayAvailable(tray.isAvailable());

        PageContext page = context();
        page.preferences = preferences.get();
        HubSettingsTab tab(page);
        tab.show();
        auto* keep = tab.findChild<ui::ToggleSwitch*>(u"keepInTray"_s);
        QVERIFY(!keep->isEnabled() && !keep->isChecked());
        // The background update check is on by default; turning it off is kept at once.
        auto* check = tab.findChild<ui::ToggleSwitch*>(u"backgroundUpdateCheck"_s);
        QVERIFY(check->isEnabled() && check->isChecked());
        check->click();
        QVERIFY(!preferences->backgroundUpdateCheck() && !check->isChecked());
        QVERIFY(!Preferences(preferences->filePath()).backgroundUpdateCheck());
        QVERIFY(tab.findChild<ui::Label*>(u"keepInTrayCaption"_s)->isVisible());

        auto window = makeWindow();
        QVERIFY(showActive(*window));
        QSignalSpy quit(window.get(), &MainWindow::quitRequested);
        QVERIFY(window->close());
        QCOMPARE(quit.count(), 1);

        // Where a tray exists the switch works, and when it is on, closing only hides the window.
        preferences->setTrayAvailable(true);
        QVERIFY(keep->isEnabled() && !tab.findChild<ui::Label*>(u"keepInTrayCaption"_s)->isVisible());
        keep->click();
        QVERIFY(preferences->keepInTray() && keep->isChecked());
        QVERIFY(Preferences(preferences->filePath()).keepInTray()); // kept at once
        auto kept = makeWindow();
        QSignalSpy keptQuit(kept.get(), &MainWindow::quitRequested);
        QVERIFY(showActive(*kept));
        QVERIFY(!kept->close());
        QVERIFY(!kept->isVisible());
        QCOMPARE(keptQuit.count(), 0);
        kept->bringForward();
        QVERIFY(kept->isVisible());
        // Quit still quits, hidden or not.
        kept->quit();
        QCOMPARE(keptQuit.count(), 1);
    }

    void trayMenuOpensStartsAndQuits()
    {
        answerAsARunningHub();
        auto window = makeWindow();
        TrayIcon tray(*hubState, window->startStopAction());
        QCOMPARE(menuTexts(*tray.menu()),
                 QStringList({u"Open Zandrel Hub"_s, u"Start Hub"_s, u"-"_s, u"Quit"_s}));
        QCOMPARE(tray.toolTip(), u"Hub Stopped"_s);
        const QImage stopped = tray.icon().pixmap(32, 32).toImage();

        await(hubState->refresh());
        QCOMPARE(tray.toolTip(), u"Hub Running on :%1 · 2 apps"_s.arg(hub->port()));
        QCOMPARE(tray.menu()->actions().at(1)->text(), u"Stop Hub"_s);
        // The dot in the corner takes the status colour.
        const QImage running = tray.icon().pixmap(32, 32).toImage();
        const QPoint dot(32 - 7, 32 - 7);
        QVERIFY(running.pixelColor(dot).green() > running.pixelColor(dot).red());
        QVERIFY(stopped.pixelColor(dot).red() > stopped.pixelColor(dot).green());
        // Under the dot, the application's icon; greyed where it is disabled.
        QVERIFY(running.pixelColor(16, 4).alpha() == 255);
        const QColor normal = ui::applicationIcon().pixmap(32, 32).toImage().pixelColor(16, 4);
        const QColor disabled =
            ui::applicationIcon().pixmap(32, 32, QIcon::Disabled).toImage().pixelColor(16, 4);
        QVERIFY(normal.hsvSaturation() > 100 && disabled.hsvSaturation() < normal.hsvSaturation() / 2);

        QSignalSpy open(&tray, &TrayIcon::openRequested);
        QSignalSpy quit(&tray, &TrayIcon::quitRequested);
        tray.menu()->findChild<QAction*>(u"trayOpenAction"_s)->trigger();
        tray.menu()->actions().at(1)->trigger();
        QCOMPARE(platform->launches.last().arguments.last(), u"stop"_s);
        tray.menu()->findChild<QAction*>(u"trayQuitAction"_s)->trigger();
        QCOMPARE(open.count(), 1);
        QCOMPARE(quit.count(), 1);
    }

    void windowPlaceAndSectionComeBack()
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect available = screen->availableGeometry();
        const QRect wanted(available.topLeft() + QPoint(40, 30), QSize(700, 480));
        {
            auto window = makeWindow(SidebarItem::section(Kind::Updates));
            window->setGeometry(wanted);
            QVERIFY(showActive(*window));
            window->rememberPlace();
        }
        Preferences again(preferences->filePath());
        QCOMPARE(SidebarItem::fromKey(again.sectionKey()), SidebarItem::section(Kind::Updates));
        QVERIFY(again.windowPlace());
        QCOMPARE(again.windowPlace()->screen, screen->name());
        auto window = makeWindow();
        window->restorePlace();
        QCOMPARE(window->geometry(), wanted);
        // The title bar stays on the screen too.
        again.setWindowPlace(
            {QRect(available.topLeft(), QSize(700, 480)), screen->name(), false, QMargins(2, 30, 2, 2)});
        again.sync();
        Preferences withFrame(preferences->filePath());
        QCOMPARE(withFrame.windowPlace()->frame, QMargins(2, 30, 2, 2));
        MainWindow framed(context(), std::nullopt, withFrame);
        framed.restorePlace();
        QCOMPARE(framed.geometry().topLeft(), available.topLeft() + QPoint(2, 30));

        // A place that no longer fits (another screen, a smaller one) is brought within the screen.
        const QRect area(0, 0, 1024, 768);
        const QSize minimum(600, 400);
        QCOMPARE(MainWindow::fitOnScreen(QRect(3000, 2000, 800, 550), area, minimum),
                 QRect(224, 218, 800, 550));
        QCOMPARE(MainWindow::fitOnScreen(QRect(-500, -80, 2000, 1500), area, minimum), area);
        QCOMPARE(MainWindow::fitOnScreen(QRect(10, 10, 800, 550), QRect(0, 0, 500, 300), minimum),
                 QRect(0, 0, 600, 400));

        // The remembered section opens the next launch, unless the launch brings a link: an install link
        // opens the store, a sign-in link as a first launch does.
        preferences->setSectionKey(SidebarItem::key(SidebarItem::section(Kind::Settings)));
        preferences->sync();
        LaunchOptions options;
        options.hubPort = FakeHub::refusingPort();
        options.preferencesFile = preferences->filePath();
        QCOMPARE(ZandrelHubApp(
                     *platform, [](const QString&) {}, options)
                     .initialTab(),
                 SidebarItem::section(Kind::Settings));
        options.links = {u"zandrel://install/orvane"_s};
        QCOMPARE(ZandrelHubApp(
                     *platform, [](const QString&) {}, options)
                     .initialTab(),
                 SidebarItem::section(Kind::Store));
        options.links = {u"zandrel://auth/callback?access_token=t"_s};
        QCOMPARE(ZandrelHubApp(
                     *platform, [](const QString&) {}, options)
                     .initialTab(),
                 SidebarItem::section(Kind::Account));
        // An app remembered but uninstalled since opens the grid.
        preferences->setSectionKey(SidebarItem::key(SidebarItem::app(u"Orvane"_s)));
        QCOMPARE(makeWindow(SidebarItem::fromKey(preferences->sectionKey()))->content().selection(),
                 SidebarItem::section(Kind::MyApps));
    }

    void unreadableOrDamagedPreferencesGiveTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01\n=\x00\x80", 10);
        QTest::newRow("wrong types") << QByteArray(
            "[window]\ngeometry=hello\nmaximized=perhaps\nsection=nowhere\n"
            "[tray]\nkeepRunning=maybe\n");
        QTest::newRow("empty geometry")
            << QByteArray("[window]\ngeometry=@Rect(10 10 0 -5)\nsection=app:\nframe=1 2 x\n");
        QTest::newRow("a folder") << QByteArray();
    }
    void unreadableOrDamagedPreferencesGiveTheDefaults()
    {
        QFETCH(QByteArray, contents);
        const QString path = home->filePath(u"damaged.ini"_s);
        if (contents.isEmpty()) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        Preferences damaged(path);
        QVERIFY(!damaged.windowPlace());
        QVERIFY(!SidebarItem::fromKey(damaged.sectionKey()));
        QVERIFY(!damaged.keepInTray());
        // And it is writable again, where the folder allows.
        damaged.setSectionKey(SidebarItem::key(SidebarItem::section(Kind::Store)));
        damaged.sync();
        if (!contents.isEmpty())
            QCOMPARE(SidebarItem::fromKey(Preferences(path).sectionKey()), SidebarItem::section(Kind::Store));
    }

private:
    // The detail of one store app, as the Hub sends it.
    static QByteArray detailOf(const QByteArray& slug, const QByteArray& name)
    {
        QJsonObject detail = QJsonDocument::fromJson(
                                 R"({"short_description":"s","description":"From the store","icon_url":"",
                                     "category":{"id":"c","name":"C","slug":"c","icon":"hammer"},
                                     "price_cents":0,"is_free":true,"average_rating":0,"review_count":0,
                                     "download_count":0,"screenshots":[]})")
                                 .object();
        detail.insert(u"slug"_s, QString::fromUtf8(slug));
        detail.insert(u"name"_s, QString::fromUtf8(name));
        return QJsonDocument(detail).toJson(QJsonDocument::Compact);
    }

    std::unique_ptr<ZandrelHubApp> linkedApp(QStringList* printed)
    {
        LaunchOptions options;
        options.hubPort = hub->port();
        options.preferencesFile = preferences->filePath();
        return std::make_unique<ZandrelHubApp>(
            *platform, [printed](const QString& line) { printed->append(line); }, options);
    }

    static StoreAppDetailSheet* sheetOf(ZandrelHubApp& app)
    {
        auto* store = qobject_cast<StoreView*>(app.window().currentPage());
        return store ? store->detailSheet() : nullptr;
    }

private Q_SLOTS:
    void anInstallLinkOpensTheAppsPageAndInstallsOnlyWhenConfirmed()
    {
        const QByteArray install = "/api/store/apps/orvane/install";
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailOf("orvane", "Orvane")));
        hub->on("POST",
                install,
                ScriptedReply::json(R"({"success":true,"app":"Orvane","version":"1.2.0","path":"/x"})"));
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json(R"([{"id":"1","name":"Orvane"}])"));
        QStringList printed;
        auto app = linkedApp(&printed);
        app->window().setSelection(SidebarItem::section(Kind::Settings));
        QVERIFY(showActive(app->mainWindow()));

        // The window turns to Browse with the app's page, which says who asked and what the store says.
        QCOMPARE(app->handleUrl(u"zandrel://install/orvane?name=Free%20Gift"_s), ZandrelLink::Kind::Install);
        QCOMPARE(app->window().selection(), SidebarItem::section(Kind::Store));
        QPointer<StoreAppDetailSheet> sheet = sheetOf(*app);
        QVERIFY(sheet && sheet->isOpenedByLink());
        QTRY_COMPARE(sheet->body(), StoreAppDetailSheet::Body::Content);
        auto* notice = sheet->findChild<ui::SymbolLabel*>(u"linkNotice"_s);
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(notice->text(), u"A link asks to install this app."_s);
        QCOMPARE(sheet->findChild<QLabel*>(u"appName"_s)->text(), u"Orvane"_s);
        auto* installButton = sheet->findChild<QPushButton*>(u"installButton"_s);
        QVERIFY(installButton->isVisible() && !installButton->isDefault() && !installButton->autoDefault());

        // The keyboard starts on Close: Space there closes, Return anywhere installs nothing; Escape
        // closes and sends nothing.
        QTRY_VERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), u"closeButton"_s);
        QTest::keyClick(sheet, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : sheet.data(),
                        Qt::Key_Return);
        QVERIFY(sheet && sheet->isVisible());
        QTest::keyClick(sheet, Qt::Key_Escape);
        QTRY_VERIFY(!sheet);
        QVERIFY(hub->requestsTo("POST", install).isEmpty());

        // Confirmed: the request a card sends, then a look at the Hub; the sheet says Installed.
        app->handleUrl(u"zandrel://install/orvane"_s);
        sheet = sheetOf(*app);
        QTRY_COMPARE(sheet->body(), StoreAppDetailSheet::Body::Content);
        const qsizetype before = hub->requests().size();
        auto* confirm = sheet->findChild<QPushButton*>(u"installButton"_s);
        QTRY_VERIFY(confirm->isEnabled()); // a link's sheet holds Install back a moment
        confirm->click();
        QTRY_VERIFY(sheet->isAppInstalled());
        QTRY_COMPARE(app->hubState().apps().size(), 1);
        const QList<RecordedRequest> posts = hub->requestsTo("POST", install);
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts.first().header("Content-Type"), QByteArray("application/json"));
        QCOMPARE(posts.first().header("Accept"), QByteArray("application/json"));
        QVERIFY(posts.first().body.isEmpty());
        QStringList after;
        for (qsizetype i = before; i < hub->requests().size(); ++i)
            after.append(QString::fromLatin1(hub->requests()[i].method + ' ' + hub->requests()[i].path));
        QVERIFY2(after.indexOf(u"GET /api"_s) > after.indexOf(u"POST "_s + QString::fromLatin1(install)),
                 qPrintable(after.join(u", "_s)));
        QVERIFY(printed.isEmpty());
        QVERIFY(sheet->findChild<QPushButton*>(u"openButton"_s)->isVisible());
    }

    void aBurstOfLinksGivesOneSheetForTheLastApp()
    {
        hub->on("GET", "/api/store/apps/app-9", ScriptedReply::json(detailOf("app-9", "Ninth")));
        QStringList printed;
        auto app = linkedApp(&printed);
        QVERIFY(showActive(app->mainWindow()));
        for (int i = 0; i < 10; ++i)
            app->handleUrl(u"zandrel://install/app-%1"_s.arg(i));
        QTRY_COMPARE(app->window().currentPage()->findChildren<StoreAppDetailSheet*>().size(), 1);
        StoreAppDetailSheet* sheet = sheetOf(*app);
        QCOMPARE(sheet->slug(), u"app-9"_s);
        QTRY_COMPARE(sheet->body(), StoreAppDetailSheet::Body::Content);
        QCOMPARE(sheet->detail()->name, u"Ninth"_s);
        hub->settle();
        QCOMPARE(app->window().currentPage()->findChildren<StoreAppDetailSheet*>().size(), 1);
        for (const RecordedRequest& request : hub->requests())
            QVERIFY(request.method != "POST");
    }

    void aFailedConfirmedInstallPrintsItsLineAndShowsInTheSheet()
    {
        hub->on("GET", "/api/store/apps/broken", ScriptedReply::json(detailOf("broken", "Broken")));
        hub->on(
            "POST", "/api/store/apps/broken/install", ScriptedReply::json(R"({"error":"disk full"})", 500));
        QStringList printed;
        auto app = linkedApp(&printed);
        QVERIFY(showActive(app->mainWindow()));
        app->handleUrl(u"zandrel://install/broken"_s);
        StoreAppDetailSheet* sheet = sheetOf(*app);
        QTRY_COMPARE(sheet->body(), StoreAppDetailSheet::Body::Content);
        auto* install = sheet->findChild<QPushButton*>(u"installButton"_s);
        QTRY_VERIFY(install->isEnabled() &&
                    install->isVisible()); // a link's sheet holds Install back a moment
        install->click();
        QTRY_COMPARE(printed.size(), 1);
        QCOMPARE(printed.first(), uR"(Install from URL failed: API error 500: {"error":"disk full"})"_s);
        QTRY_VERIFY(sheet->findChild<ui::Label*>(u"installError"_s)->isVisible());
        QVERIFY(!sheet->isAppInstalled());
        // Someone at the window sees it there, not on the desktop.
        QVERIFY(platform->notifications.isEmpty());
        QVERIFY(hub->requestsTo("GET", "/api/apps").isEmpty());
    }

private:
    // The app with its background check due at once; the window shown, then left for elsewhere.
    std::unique_ptr<ZandrelHubApp> appCheckingWhileAway(QStringList* printed)
    {
        auto app = linkedApp(printed);
        app->updateChecker().setSchedule({0ms, 1h, 0ms});
        app->window().setSelection(SidebarItem::section(Kind::Settings));
        app->show();
        app->mainWindow().hide();
        return app;
    }
    static QByteArray installReply(const QString& slug)
    {
        return QJsonDocument(
                   QJsonObject{
                       {u"success"_s, true}, {u"app"_s, slug}, {u"version"_s, u"2.0"_s}, {u"path"_s, u"p"_s}})
            .toJson();
    }

private Q_SLOTS:
    void aCheckWhileAwayNotifiesOnceAndTheClickOpensUpdates()
    {
        hub->on(
            "POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"orvane", "dulvet"})));
        QStringList printed;
        auto app = appCheckingWhileAway(&printed);
        QSignalSpy checked(&app->updateChecker(), &UpdateChecker::backgroundCheckDone);
        QVERIFY(checked.wait(5000));
        QCOMPARE(platform->notifications,
                 QStringList{u"Updates available\nDulvet and Orvane can be updated"_s});
        const Notifier::Notice notice = *platform->shownNotice(Notifier::Kind::Updates);
        QCOMPARE(notice.actions.size(), 2);
        QCOMPARE(notice.actions.at(0).first, u"default"_s);
        QCOMPARE(notice.actions.at(1), std::pair(u"update-all"_s, u"Update All"_s));

        // The same set again: no second notice.
        app->updateChecker().setUpdates({});
        app->preferences().setLastUpdateCheck(QDateTime::currentDateTimeUtc().addDays(-1));
        app->updateChecker().start();
        QVERIFY(checked.wait(5000));
        QCOMPARE(platform->notifications.size(), 1);

        // The click brings the window forward on Updates with the desktop's token; the page being
        // in front withdraws the notice, and nothing is updated.
        platform->clickNotice(Notifier::Kind::Updates, u"default"_s, u"token-1"_s);
        QCOMPARE(platform->activationTokens, QStringList{u"token-1"_s});
        QVERIFY(app->mainWindow().isVisible());
        QCOMPARE(app->window().selection(), SidebarItem::section(Kind::Updates));
        QVERIFY(platform->withdrawn.contains(Notifier::Kind::Updates));
        auto* page = qobject_cast<UpdatesView*>(app->window().currentPage());
        QTRY_COMPARE(page->main(), UpdatesView::Main::List);
        QVERIFY(hub->requestsTo("POST", "/api/store/apps/orvane/install").isEmpty());
    }

    void updateAllFromTheNoticeUpdatesOnceThePageHasCheckedAndNothingIsToldAtTheWindow()
    {
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"orvane"})));
        hub->on("POST", "/api/store/apps/orvane/install", ScriptedReply::json(installReply(u"orvane"_s)));
        QStringList printed;
        auto app = appCheckingWhileAway(&printed);
        QSignalSpy checked(&app->updateChecker(), &UpdateChecker::backgroundCheckDone);
        QVERIFY(checked.wait(5000));
        QCOMPARE(platform->notifications, QStringList{u"Updates available\nOrvane can be updated"_s});
        platform->withdrawn.clear();

        platform->clickNotice(Notifier::Kind::Updates, u"update-all"_s);
        QTRY_COMPARE(hub->requestsTo("POST", "/api/store/apps/orvane/install").size(), 1);
        // Sent after the page's own check, for what it found.
        QCOMPARE(hub->requestsTo("POST", "/api/store/apps/updates/check").size(), 2);
        QTRY_COMPARE(app->updateChecker().count(), 0);
        QVERIFY(platform->withdrawn.contains(Notifier::Kind::Updates));

        // A new set a day later, while the user is at the window: no notice.
        app->preferences().setUpdateNotice(app->preferences().notifiedUpdates(),
                                           QDateTime::currentDateTimeUtc().addDays(-2));
        app->preferences().setLastUpdateCheck(QDateTime::currentDateTimeUtc().addDays(-1));
        hub->on("POST", "/api/store/apps/updates/check", ScriptedReply::json(updatesFor({"dulvet"})));
        QVERIFY(showActive(app->mainWindow()));
        app->window().setSelection(SidebarItem::section(Kind::Settings));
        app->updateChecker().start();
        QVERIFY(checked.wait(5000));
        QCOMPARE(app->updateChecker().count(), 1);
        QCOMPARE(platform->notifications.size(), 1);
    }

    void aLinkTellsTheDesktopWhenTheWindowIsNotLookedAt()
    {
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailOf("orvane", "Orvane")));
        QStringList printed;
        auto app = linkedApp(&printed);
        QVERIFY(!app->trayIcon().isAvailable());
        // A launch that brings the link opens the window with it: no notice.
        app->show();
        app->openLaunchLinks({u"zandrel://install/orvane"_s});
        QVERIFY(sheetOf(*app) && platform->notifications.isEmpty());
        // One handed over while the user is elsewhere.
        app->mainWindow().hide();
        app->handleUrl(u"zandrel://install/orvane"_s);
        QCOMPARE(platform->notifications.size(), 1);
        // It names no app: a link's text is not what the user decides on.
        QCOMPARE(platform->notifications.first().section(u'\n', 0, 0),
                 u"An app waits for your confirmation"_s);
        QVERIFY(!platform->notifications.first().contains(u"orvane"_s, Qt::CaseInsensitive));
        QVERIFY(sheetOf(*app) && sheetOf(*app)->isOpenedByLink());
        QVERIFY(hub->requestsTo("POST", "/api/store/apps/orvane/install").isEmpty());
        // Its click brings the window with the sheet forward, and being there withdraws it.
        platform->clickNotice(Notifier::Kind::LinkInstall);
        QVERIFY(app->mainWindow().isVisible());
        QTRY_VERIFY(platform->withdrawn.contains(Notifier::Kind::LinkInstall));
        QVERIFY(sheetOf(*app));
    }

    void aLinkNeverTakesTheUsersOwnSheetAndItsInstallEndsEvenWhenClosed()
    {
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailOf("orvane", "Orvane")));
        hub->on("GET", "/api/store/apps/dulvet", ScriptedReply::json(detailOf("dulvet", "Dulvet")));
        hub->on("GET", "/api/store/apps", ScriptedReply::json(R"({"results":[{"id":"1","slug":"orvane",
            "name":"Orvane","short_description":"s","icon_url":"","category":{"id":"c","name":"C","slug":"c",
            "icon":"hammer"},"price_cents":0,"is_free":true,"average_rating":0,"review_count":0,
            "download_count":0}]})"));
        hub->on("POST",
                "/api/store/apps/dulvet/install",
                ScriptedReply::json(R"({"error":"disk full"})", 500).after(std::chrono::milliseconds(200)));
        QStringList printed;
        auto app = linkedApp(&printed);
        QVERIFY(showActive(app->mainWindow()));
        app->window().setSelection(SidebarItem::section(Kind::Store));
        auto* store = qobject_cast<StoreView*>(app->window().currentPage());
        QTRY_COMPARE(store->apps().size(), 1);

        // The user's own sheet stays; the link is dropped.
        store->openDetail(0);
        QPointer<StoreAppDetailSheet> own = store->detailSheet();
        app->handleUrl(u"zandrel://install/dulvet"_s);
        QCOMPARE(store->detailSheet(), own.data());
        QVERIFY(!own->isOpenedByLink());
        own->reject();
        QTRY_VERIFY(!own);

        // A link's sheet closed while its install is in flight: the outcome still reaches the line.
        app->handleUrl(u"zandrel://install/dulvet"_s);
        QPointer<StoreAppDetailSheet> linked = store->detailSheet();
        QTRY_COMPARE(linked->body(), StoreAppDetailSheet::Body::Content);
        linked->findChild<QPushButton*>(u"installButton"_s)->click();
        // While it installs, a newer link is dropped, and an unasked callback does not tear the page down.
        app->handleUrl(u"zandrel://install/orvane"_s);
        app->handleUrl(u"zandrel://auth/callback?access_token=planted"_s);
        QCOMPARE(store->detailSheet(), linked.data());
        QCOMPARE(app->window().currentPage(), store);
        linked->reject();
        QTRY_COMPARE(printed.size(), 2);
        QCOMPARE(printed.last(), uR"(Install from URL failed: API error 500: {"error":"disk full"})"_s);
        QCOMPARE(hub->requestsTo("POST", "/api/store/apps/dulvet/install").size(), 1);
        QVERIFY(hub->requestsTo("POST", "/api/store/apps/orvane/install").isEmpty());
    }

    void aLinksSheetHoldsInstallBackAMoment()
    {
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailOf("orvane", "Orvane")));
        hub->on("POST",
                "/api/store/apps/orvane/install",
                ScriptedReply::json(R"({"success":true,"app":"Orvane","version":"1","path":"/x"})")
                    .after(std::chrono::milliseconds(300)));
        StoreAppDetailSheet::setLinkInstallDelay(std::chrono::milliseconds(300));
        QStringList printed;
        auto app = linkedApp(&printed);
        QVERIFY(showActive(app->mainWindow()));
        app->handleUrl(u"zandrel://install/orvane"_s);
        StoreAppDetailSheet* sheet = sheetOf(*app);
        QTRY_COMPARE(sheet->body(), StoreAppDetailSheet::Body::Content);
        auto* install = sheet->findChild<QPushButton*>(u"installButton"_s);
        // A click that was meant for what was there before lands on nothing.
        QVERIFY(!install->isEnabled());
        install->click();
        QTRY_VERIFY(install->isEnabled());
        StoreAppDetailSheet::setLinkInstallDelay(std::chrono::milliseconds(0));
        QVERIFY(hub->requestsTo("POST", "/api/store/apps/orvane/install").isEmpty());

        // Confirmed, then the application goes away before the answer: nothing is touched after it.
        install->click();
        QTRY_COMPARE(hub->requestsTo("POST", "/api/store/apps/orvane/install").size(), 1);
        app.reset();
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle(); // the answer has reached the install that awaited it
        QVERIFY(printed.isEmpty());
    }

    void linksWaitForADialogTheyWouldPullTheFloorFrom()
    {
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailOf("orvane", "Orvane")));
        QStringList printed;
        auto app = linkedApp(&printed);
        app->window().setSelection(SidebarItem::section(Kind::Settings));
        QVERIFY(showActive(app->mainWindow()));
        // A dialog the page owns, run in a loop of its own inside the application's, as a save prompt
        // is: switching pages now would delete it under its own exec().
        QPointer<QWidget> page = app->window().currentPage();
        QEventLoop application;
        ZandrelLink::Kind kind = ZandrelLink::Kind::Ignored;
        QWidget* pageMeanwhile = nullptr;
        qsizetype waiting = 0;
        QTimer::singleShot(0, &application, [&] {
            QDialog dialog(page);
            QTimer::singleShot(0, &dialog, [&] {
                kind = app->handleUrl(u"zandrel://install/orvane"_s);
                app->handleUrl(u"zandrel://auth/callback?access_token=planted"_s);
                pageMeanwhile = app->window().currentPage();
                waiting = app->settledSteps().waiting();
                dialog.reject();
            });
            dialog.exec();
            application.quit();
        });
        application.exec();
        QVERIFY(page);
        QCOMPARE(kind, ZandrelLink::Kind::Install);
        QCOMPARE(pageMeanwhile, page.data());
        QCOMPARE(waiting, 2);
        QVERIFY(printed.isEmpty());

        // Closed: both are handled, in the order they came, so the later one is what shows.
        QTRY_COMPARE(app->window().selection(), SidebarItem::section(Kind::Account));
        QCOMPARE(app->settledSteps().waiting(), 0);
        QCOMPARE(printed, QStringList{u"Sign-in link ignored: no sign-in was started from Zandrel Hub"_s});
        QVERIFY(hub->requestsTo("GET", "/api/store/apps/orvane").size() <= 1);
    }

    void linksWaitForTheDesktopsFileDialogToo()
    {
        // A desktop's file chooser (GTK's) runs its own loop where Qt's level does not see it.
        hub->on("GET", "/api/permissions", ScriptedReply::json("{}"));
        hub->on("GET",
                "/api/audit",
                ScriptedReply::json(R"([{"timestamp":"2024-05-01T09:00:00Z","app":"Orvane","action":"read",
                                        "endpoint":"/x","allowed":true}])"));
        QStringList printed;
        auto app = linkedApp(&printed);
        app->window().setSelection(SidebarItem::section(Kind::Settings));
        QVERIFY(showActive(app->mainWindow()));
        QPointer<QWidget> page = app->window().currentPage();
        page->findChild<QTabWidget*>()->setCurrentIndex(2);
        auto* exportButton = page->findChild<QPushButton*>(u"auditExport"_s);
        QTRY_VERIFY(exportButton->isEnabled());
        QWidget* pageMeanwhile = nullptr;
        AuditLogPanel::setSavePathPrompt([&](QWidget*, const QString&) {
            app->handleUrl(u"zandrel://auth/callback?access_token=planted"_s);
            QCoreApplication::processEvents();
            pageMeanwhile = app->window().currentPage();
            return QString();
        });
        const auto restore = qScopeGuard([] { AuditLogPanel::setSavePathPrompt({}); });
        exportButton->click();
        QCOMPARE(pageMeanwhile, page.data());
        QTRY_COMPARE(app->window().selection(), SidebarItem::section(Kind::Account));
    }

    void aPressCountsNoLongerOnceTheUserSignedInAnotherWay()
    {
        hub->on(
            "POST",
            "/api/store/auth/login",
            ScriptedReply::json(
                R"({"access_token":"typed","refresh_token":"r","user":{"id":"u1","email":"ann@example.com",
                    "display_name":"Ann"}})"));
        hub->on("GET", "/api/store/auth/me", ScriptedReply::json("{}", 401));
        QStringList printed;
        auto app = linkedApp(&printed);
        app->window().setSelection(SidebarItem::section(Kind::Account));
        QWidget* page = app->window().currentPage();
        page->findChild<QPushButton*>(u"oauthGitHub"_s)->click();
        QVERIFY(app->pendingSignIn().isPending());
        QTest::keyClicks(page->findChild<QLineEdit*>(u"emailField"_s), u"ann@example.com"_s);
        QTest::keyClicks(page->findChild<QLineEdit*>(u"passwordField"_s), u"pw"_s);
        page->findChild<QPushButton*>(u"signInButton"_s)->click();
        QTRY_VERIFY(app->storeService().isLoggedIn());
        QVERIFY(!app->pendingSignIn().isPending());
        app->handleUrl(u"zandrel://auth/callback?access_token=planted"_s);
        QCOMPARE(app->storeService().authToken(), u"typed"_s);
        QCOMPARE(printed, QStringList{u"Sign-in link ignored: no sign-in was started from Zandrel Hub"_s});
    }

    void aSignInCountsOnlyAfterAPressOnTheAccountPage()
    {
        hub->on("GET",
                "/api/store/auth/me",
                ScriptedReply::json(R"({"id":"u1","email":"ann@example.com","display_name":"Ann"})"));
        QStringList printed;
        auto app = linkedApp(&printed);
        app->window().setSelection(SidebarItem::section(Kind::Settings));

        // Unasked: the Account page says so, in place, and nothing is set or written.
        app->handleUrl(u"zandrel://auth/callback?access_token=planted"_s);
        QCOMPARE(app->window().selection(), SidebarItem::section(Kind::Account));
        auto* notice = app->window().currentPage()->findChild<ui::SymbolLabel*>(u"ignoredSignInNotice"_s);
        QVERIFY(notice && !notice->isHidden());
        QCOMPARE(notice->text(),
                 u"A sign-in link arrived that Zandrel Hub did not ask for. It was ignored: to sign in, use "
                 "the buttons below."_s);
        QCOMPARE(printed, QStringList{u"Sign-in link ignored: no sign-in was started from Zandrel Hub"_s});
        QVERIFY(!app->storeService().authToken() && !QFileInfo::exists(platform->tokenFilePath()));

        // GitHub pressed: the browser opens the store website, and its callback signs in.
        app->window().currentPage()->findChild<QPushButton*>(u"oauthGitHub"_s)->click();
        QCOMPARE(platform->openedUrls.size(), 1);
        QVERIFY(notice->isHidden());
        app->handleUrl(u"zandrel://auth/callback?access_token=mine"_s);
        QTRY_VERIFY(app->storeService().isLoggedIn());
        QCOMPARE(app->storeService().authToken(), u"mine"_s);
        // Owner-only: 0600.
        const QFileDevice::Permissions mode = QFile::permissions(platform->tokenFilePath());
        QVERIFY(mode.testFlag(QFileDevice::ReadOwner) && mode.testFlag(QFileDevice::WriteOwner));
        QVERIFY(!(mode & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther |
                          QFileDevice::ExeOwner)));
        QCOMPARE(printed.size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
