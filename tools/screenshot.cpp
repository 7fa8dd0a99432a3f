// Development tool: runs the application window on one section and saves a picture of the screen, to
// look at what a page draws (run it under xvfb-run). Links given as arguments are handled first,
// as a launch would.
//
//   zandrel-screenshot <myapps|store|updates|account|settings|app:NAME|sheet:SLUG> <out.png> [wait-ms]
//                      [zandrel:...]
// log opens the Hub Log window and pictures it; about opens the About dialog over My Apps; shortcuts the
// Keyboard Shortcuts dialog; menu:hub, menu:go and menu:help open that menu of the menu bar; sheet:SLUG opens
// the store's detail sheet of that app halfway through the wait; settings:N shows the settings page on tab N;
// ai:ID shows the AI tab with that provider's card expanded. SHOT_PORT sets the Hub state's port after the
// start-up (any number, as the Hub tab may) and refreshes; SHOT_PRESS=1 then presses the status bar's
// Start/Stop button. SHOT_TYPE=NAME=TEXT types TEXT into the line edit of that object name halfway through
// the wait (the audit log's search, auditSearch).

#include "app/ContentView.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "app/ZandrelHubApp.h"
#include "hub_log/HubLogWindow.h"
#include "platform/QtPlatform.h"
#include "settings/AISettingsState.h"
#include "settings/AISettingsTab.h"
#include "settings/SettingsView.h"
#include "store/StoreView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: zandrel-screenshot SECTION OUT.png [WAIT_MS] [LINK...]\n");
        return 2;
    }
    using Kind = zandrel::SidebarItem::Kind;
    const QString section = args[1];
    std::optional<zandrel::SidebarItem> item;
    if (section.startsWith(u"settings:") || section.startsWith(u"ai:"))
        item = zandrel::SidebarItem::section(Kind::Settings);
    else if (section.startsWith(u"sheet:"))
        item = zandrel::SidebarItem::section(Kind::Store);
    else if (section.startsWith(u"app:"))
        item = zandrel::SidebarItem::app(section.mid(4));
    else if (section != u"myapps" && section != u"about" && section != u"shortcuts" && section != u"log" &&
             !section.startsWith(u"menu:"))
        item = zandrel::SidebarItem::section(section == u"store"     ? Kind::Store
                                             : section == u"updates" ? Kind::Updates
                                             : section == u"account" ? Kind::Account
                                                                     : Kind::Settings);
    const int waitMs = args.size() > 3 ? args[3].toInt() : 1500;

    zandrel::QtPlatform platform;
    zandrel::ZandrelHubApp::setUpLook(application);
    zandrel::LaunchOptions options = zandrel::LaunchOptions::fromEnvironment();
    // A window of its own size and section each time, leaving the user's preferences alone.
    options.preferencesFile = QDir::temp().filePath(u"zandrel-screenshot-%1.ini"_qs.arg(getpid()));
    zandrel::ZandrelHubApp hub(platform, zandrel::LinkRouter::printLine, options);
    hub.show();
    hub.mainWindow().move(0, 0);
    // SHOT_HEIGHT makes the window taller, to see a long page whole.
    if (const int height = qEnvironmentVariableIntValue("SHOT_HEIGHT"); height > 0)
        hub.mainWindow().resize(hub.mainWindow().width(), height);
    // After the start-up's refresh, as a user would get there: the Hub's apps are known by then.
    QObject::connect(&hub.window(), &zandrel::ContentView::startUpFinished, &hub.window(), [&] {
        hub.window().setSelection(item);
        // The window may have opened on Settings already (it remembers its section).
        if (auto* settings = qobject_cast<zandrel::SettingsView*>(hub.window().currentPage());
            settings && section.startsWith(u"settings:"))
            settings->tabs()->setCurrentIndex(section.mid(9).toInt());
        if (section == u"about")
            hub.window().showAbout();
        if (section == u"shortcuts")
            hub.mainWindow().showShortcuts();
        if (section == u"log")
            hub.mainWindow().showHubLog();
        if (section.startsWith(u"menu:")) {
            if (auto* menu = hub.mainWindow().findChild<QMenu*>(section.mid(5) + u"Menu"_qs))
                hub.mainWindow().menuBar()->setActiveAction(menu->menuAction());
        }
        bool portGiven = false;
        const int port = qEnvironmentVariableIntValue("SHOT_PORT", &portGiven);
        if (portGiven) {
            hub.hubState().setPort(port);
            hub.hubState().refresh();
        }
        if (qEnvironmentVariableIntValue("SHOT_PRESS") > 0) {
            if (auto* button = hub.window().statusBar()->findChild<QPushButton*>(u"hubToggleButton"_qs))
                button->click();
        }
    });
    for (const QString& link : args.mid(4))
        hub.handleUrl(link);
    if (section.startsWith(u"settings:")) {
        QObject::connect(
            &hub.window(), &zandrel::ContentView::pageChanged, &hub.window(), [&](QWidget* page) {
                if (auto* settings = qobject_cast<zandrel::SettingsView*>(page))
                    settings->tabs()->setCurrentIndex(section.mid(9).toInt());
            });
    }
    if (section.startsWith(u"ai:")) {
        QTimer::singleShot(waitMs / 2, &application, [&] {
            if (auto* ai = hub.window().findChild<zandrel::AISettingsTab*>())
                ai->state().setExpandedProvider(section.mid(3));
        });
    }
    if (section.startsWith(u"sheet:")) {
        QTimer::singleShot(waitMs / 2, &application, [&] {
            if (auto* store = qobject_cast<zandrel::StoreView*>(hub.window().currentPage())) {
                for (int row = 0; row < store->apps().size(); ++row) {
                    if (store->apps().at(row).slug == section.mid(6))
                        store->openDetail(row);
                }
            }
        });
    }
    if (const QString typed = qEnvironmentVariable("SHOT_TYPE"); typed.contains(u'=')) {
        QTimer::singleShot(waitMs / 2, &application, [&hub, typed] {
            if (auto* field = hub.mainWindow().findChild<QLineEdit*>(typed.section(u'=', 0, 0)))
                field->setText(typed.section(u'=', 1));
        });
    }
    QTimer::singleShot(waitMs, &application, [&] {
        if (auto* log = hub.mainWindow().findChild<zandrel::HubLogWindow*>()) {
            log->grab().save(args[2]);
            application.quit();
            return;
        }
        QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0);
        if (picture.isNull() || QGuiApplication::platformName() == u"offscreen")
            picture = hub.mainWindow().grab();
        const QRect window = hub.mainWindow().frameGeometry();
        picture.copy(QRect(0, 0, qMax(window.right() + 1, 820), qMax(window.bottom() + 1, 570)))
            .save(args[2]);
        application.quit();
    });
    const int code = application.exec();
    QFile::remove(options.preferencesFile);
    return code;
}
