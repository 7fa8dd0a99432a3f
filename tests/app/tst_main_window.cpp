// The desktop application around the pages: the menu bar's actions and their keys, the shortcuts
// dialog, the tray icon and what closing the window does, the remembered window, and the notification
// of an install from a link.

#include "AsyncTest.h"
#include "PageFixture.h"
#include "PseudoLocale.h"
#include "app/AboutDialog.h"
#include "app/ContentView.h"
#include "app/MainWindow.h"
#include "app/Preferences.h"
#include "app/ShortcutsDialog.h"
#include "app/StatusBar.h"
#include "app/Translations.h"
#include "app/TrayIcon.h"
#include "app/ZandrelHubApp.h"
#include "installed/Sidebar.h"
#include "settings/HubSettingsTab.h"
#include "settings/SettingsView.h"
#include "store/StoreView.h"
#include "store/UpdatesView.h"
#include "ui/ApplicationIcon.h"
#include "ui/Label.h"
#include "ui/ToggleSwitch.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

using Kind = SidebarItem::Kind;

QStringList menuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts.append(action->isSeparator() ? u"-"_s : action->text());
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
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
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
                 QStringList({u"Start Hub"_s, u"Refresh"_s, u"-"_s, u"Quit"_s}));
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
        QCOMPARE(Preferences(preferences->filePath()).section(), SidebarItem::section(Kind::Updates));
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
        preferences->setTrayAvailable(tray.isAvailable());

        PageContext page = context();
        page.preferences = preferences.get();
        HubSettingsTab tab(page);
        tab.show();
        auto* keep = tab.findChild<ui::ToggleSwitch*>(u"keepInTray"_s);
        QVERIFY(!keep->isEnabled() && !keep->isChecked());
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
        QCOMPARE(again.section(), SidebarItem::section(Kind::Updates));
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

        // The remembered section opens the next launch, unless the launch brings a link.
        preferences->setSection(SidebarItem::section(Kind::Settings));
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
                 SidebarItem::section(Kind::Account));
        // An app remembered but uninstalled since opens the grid.
        preferences->setSection(SidebarItem::app(u"Orvane"_s));
        QCOMPARE(makeWindow(preferences->section())->content().selection(),
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
        QVERIFY(!damaged.section());
        QVERIFY(!damaged.keepInTray());
        // And it is writable again, where the folder allows.
        damaged.setSection(SidebarItem::section(Kind::Store));
        damaged.sync();
        if (!contents.isEmpty())
            QCOMPARE(Preferences(path).section(), SidebarItem::section(Kind::Store));
    }

    void linkInstallsTellTheDesktopWhenTheWindowIsNotLookedAt()
    {
        hub->on("POST",
                "/api/store/apps/orvane/install",
                ScriptedReply::json(R"({"success":true,"app":"Orvane","version":"1.2.0","path":"/x"})"));
        hub->on(
            "POST", "/api/store/apps/broken/install", ScriptedReply::json(R"({"error":"disk full"})", 500));
        LaunchOptions options;
        options.hubPort = hub->port();
        options.preferencesFile = preferences->filePath();
        QStringList printed; // a failed install's line comes just before its notice
        ZandrelHubApp app(
            *platform, [&printed](const QString& line) { printed.append(line); }, options);
        QVERIFY(!app.trayIcon().isAvailable());

        app.handleUrl(u"zandrel://install/orvane"_s);
        app.handleUrl(u"zandrel://install/broken"_s);
        QTRY_COMPARE(platform->notifications.size(), 2);
        platform->notifications.sort();
        QCOMPARE(platform->notifications.at(0).section(u'\n', 0, 0), u"Could not install broken"_s);
        QVERIFY(platform->notifications.at(0).contains(u"disk full"_s));
        QCOMPARE(platform->notifications.at(1), u"Orvane installed\nOrvane is ready in My Apps."_s);

        // Someone at the window sees it there.
        QVERIFY(showActive(app.mainWindow()));
        app.handleUrl(u"zandrel://install/broken"_s);
        QTRY_COMPARE(printed.size(), 2);
        QCOMPARE(platform->notifications.size(), 2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
