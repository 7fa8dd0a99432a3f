#include "app/MainWindow.h"

#include "app/ContentView.h"
#include "app/ShortcutsDialog.h"
#include "hub_api/HubState.h"
#include "hub_log/HubLogWindow.h"
#include "store/StoreView.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

namespace zandrel {

using Kind = SidebarItem::Kind;

MainWindow::MainWindow(PageContext context,
                       std::optional<SidebarItem> initialSelection,
                       Preferences& preferences,
                       QWidget* parent)
    : QMainWindow(parent)
    , context_(context)
    , preferences_(preferences)
    , content_(new ContentView(withHubLog(std::move(context), this), std::move(initialSelection)))
{
    setObjectName(QStringLiteral("mainWindow"));
    setCentralWidget(content_);
    setWindowTitle(content_->windowTitle());
    // The page names the window ("Zandrel Hub" or the page's own title).
    connect(content_, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    setMinimumSize(600, 400);
    resize(800, 550);
    buildMenus();
    connect(&context_.hubState, &HubState::isRunningChanged, this, &MainWindow::updateStartStop);
    connect(&context_.hubState, &HubState::isChangingChanged, this, &MainWindow::updateStartStop);
    updateStartStop();
}

MainWindow::~MainWindow() = default;

PageContext MainWindow::withHubLog(PageContext context, MainWindow* window)
{
    // Pages (the Hub tab, the status bar's explanation) open the window's one log window.
    context.showHubLog = [window] { window->showHubLog(); };
    return context;
}

QAction* MainWindow::addCommand(QMenu* menu,
                                const QString& objectName,
                                const QString& text,
                                const QKeySequence& fallback,
                                QKeySequence::StandardKey standard)
{
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    // The desktop's own key where it has one (Ctrl+Q, F5, Ctrl+F...), ours otherwise.
    const QList<QKeySequence> keys =
        standard == QKeySequence::UnknownKey ? QList<QKeySequence>{} : QKeySequence::keyBindings(standard);
    QList<QKeySequence> all = keys;
    // Ours too where the desktop's differs (KDE's Preferences), so the keys we document always work.
    if (!fallback.isEmpty() && !all.contains(fallback))
        all.append(fallback);
    action->setShortcuts(all);
    action->setShortcutVisibleInContextMenu(true);
    menu->addAction(action);
    menus_.last().second.append(action);
    return action;
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    QMenu* hub = bar->addMenu(tr("H&ub"));
    hub->setObjectName(QStringLiteral("hubMenu"));
    menus_.append(qMakePair(hub, QList<QAction*>{}));
    startStop_ = addCommand(hub, QStringLiteral("startStopAction"), tr("Start Hub"), {});
    connect(startStop_, &QAction::triggered, this, [this] {
        // Acts on what the action said when chosen, as the status bar's button does.
        if (startStop_->data().toBool())
            context_.hubState.stopHub();
        else
            context_.hubState.startHub();
    });
    QAction* refresh = addCommand(
        hub, QStringLiteral("refreshAction"), tr("Refresh"), QKeySequence(Qt::Key_F5), QKeySequence::Refresh);
    connect(refresh, &QAction::triggered, content_, &ContentView::reload);
    QAction* log = addCommand(
        hub, QStringLiteral("showHubLogAction"), tr("Show Hub Log"), QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(log, &QAction::triggered, this, &MainWindow::showHubLog);
    hub->addSeparator();
    QAction* quit = addCommand(hub,
                               QStringLiteral("quitAction"),
                               tr("Quit"),
                               QKeySequence(Qt::CTRL | Qt::Key_Q),
                               QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, &MainWindow::quit);

    QMenu* go = bar->addMenu(tr("&Go"));
    go->setObjectName(QStringLiteral("goMenu"));
    menus_.append(qMakePair(go, QList<QAction*>{}));
    const struct {
        const char* name;
        QString text;
        Qt::Key key;
        Kind kind;
    } sections[] = {
        {"goMyAppsAction", tr("My Apps"), Qt::Key_1, Kind::MyApps},
        {"goBrowseAction", tr("Browse"), Qt::Key_2, Kind::Store},
        {"goUpdatesAction", tr("Updates"), Qt::Key_3, Kind::Updates},
        {"goAccountAction", tr("Account"), Qt::Key_4, Kind::Account},
    };
    for (const auto& section : sections) {
        QAction* action = addCommand(
            go, QString::fromLatin1(section.name), section.text, QKeySequence(Qt::CTRL | section.key));
        const Kind kind = section.kind;
        connect(action, &QAction::triggered, this, [this, kind] { goTo(SidebarItem::section(kind)); });
    }
    QAction* settings = addCommand(go,
                                   QStringLiteral("goSettingsAction"),
                                   tr("Settings"),
                                   QKeySequence(Qt::CTRL | Qt::Key_Comma),
                                   QKeySequence::Preferences);
    settings->setMenuRole(QAction::PreferencesRole);
    connect(settings, &QAction::triggered, this, [this] { goTo(SidebarItem::section(Kind::Settings)); });
    go->addSeparator();
    QAction* find = addCommand(go,
                               QStringLiteral("findInStoreAction"),
                               tr("Find in Store"),
                               QKeySequence(Qt::CTRL | Qt::Key_F),
                               QKeySequence::Find);
    connect(find, &QAction::triggered, this, &MainWindow::findInStore);

    QMenu* help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    menus_.append(qMakePair(help, QList<QAction*>{}));
    QAction* keys = addCommand(help, QStringLiteral("shortcutsAction"), tr("Keyboard Shortcuts"), {});
    connect(keys, &QAction::triggered, this, &MainWindow::showShortcuts);
    QAction* about = addCommand(help,
                                QStringLiteral("aboutAction"),
                                tr("About Zandrel Hub"),
                                QKeySequence(Qt::Key_F1),
                                QKeySequence::HelpContents);
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, content_, &ContentView::showAbout);
}

void MainWindow::updateStartStop()
{
    const HubState& hub = context_.hubState;
    startStop_->setData(hub.isRunning());
    startStop_->setText(hub.isRunning() ? tr("Stop Hub") : tr("Start Hub"));
    startStop_->setEnabled(!hub.isChanging());
}

void MainWindow::goTo(std::optional<SidebarItem> section)
{
    bringForward();
    content_->setSelection(std::move(section));
}

bool MainWindow::openLinkedInstall(const QString& slug)
{
    goTo(SidebarItem::section(Kind::Store));
    auto* store = qobject_cast<StoreView*>(content_->currentPage());
    return store && store->openLinkedApp(slug);
}

void MainWindow::findInStore()
{
    goTo(SidebarItem::section(Kind::Store));
    if (auto* store = qobject_cast<StoreView*>(content_->currentPage()))
        store->focusSearch();
}

ShortcutsDialog* MainWindow::showShortcuts()
{
    if (shortcuts_) {
        shortcuts_->raise();
        shortcuts_->activateWindow();
        return shortcuts_;
    }
    QList<ShortcutsDialog::Group> groups;
    for (const auto& [menu, actions] : menus_)
        groups.append({menu->title(), actions});
    shortcuts_ = new ShortcutsDialog(groups, this);
    shortcuts_->setAttribute(Qt::WA_DeleteOnClose);
    shortcuts_->open();
    return shortcuts_;
}

HubLogWindow* MainWindow::showHubLog()
{
    if (!hubLog_) {
        hubLog_ = new HubLogWindow(context_.platform, preferences_, this);
        hubLog_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (hubLog_->isMinimized())
        hubLog_->showNormal();
    hubLog_->show();
    hubLog_->raise();
    hubLog_->activateWindow();
    return hubLog_;
}

void MainWindow::bringForward()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

QRect MainWindow::fitOnScreen(const QRect& wanted, const QRect& available, const QSize& minimum)
{
    if (!available.isValid())
        return wanted;
    const QSize size = wanted.size().boundedTo(available.size()).expandedTo(minimum);
    // A window larger than the screen even at its minimum starts at the screen's corner.
    const int x = std::max(available.left(), std::min(wanted.left(), available.right() + 1 - size.width()));
    const int y = std::max(available.top(), std::min(wanted.top(), available.bottom() + 1 - size.height()));
    return QRect(QPoint(x, y), size);
}

void MainWindow::restorePlace()
{
    const std::optional<Preferences::WindowPlace> place = preferences_.windowPlace();
    if (!place)
        return;
    QScreen* screen = nullptr;
    for (QScreen* candidate : QGuiApplication::screens()) {
        if (candidate->name() == place->screen)
            screen = candidate;
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    setGeometry(fitOnScreen(
        place->geometry, screen->availableGeometry().marginsRemoved(place->frame), minimumSize()));
    if (place->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::rememberPlace()
{
    preferences_.setSectionKey(SidebarItem::key(content_->selection()));
    // A window never shown has no place of its own worth keeping.
    if (shownOnce_) {
        QScreen* where = screen();
        const QRect inner = geometry();
        const QRect outer = frameGeometry();
        const QMargins frame(inner.left() - outer.left(),
                             inner.top() - outer.top(),
                             outer.right() - inner.right(),
                             outer.bottom() - inner.bottom());
        preferences_.setWindowPlace(
            {normalGeometry(), where ? where->name() : QString(), isMaximized(), frame});
    }
    preferences_.sync();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    shownOnce_ = true;
}

void MainWindow::quit()
{
    if (quitting_)
        return;
    quitting_ = true;
    rememberPlace();
    Q_EMIT quitRequested();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        content_->windowActivated();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (quitting_) {
        event->accept();
        return;
    }
    rememberPlace();
    if (preferences_.keepInTray() && preferences_.trayAvailable()) {
        event->ignore();
        hide();
        return;
    }
    event->accept();
    quit();
}

} // namespace zandrel
