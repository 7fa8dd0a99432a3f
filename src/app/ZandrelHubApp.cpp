#include "app/ZandrelHubApp.h"

#include "app/AboutDialog.h"
#include "app/ContentView.h"
#include "app/MainWindow.h"
#include "app/Translations.h"
#include "app/TrayIcon.h"
#include "platform/Platform.h"
#include "store/StoreAppDetailSheet.h"
#include "store/StoreView.h"
#include "store/UpdatesView.h"
#include "ui/AppStyle.h"
#include "ui/ApplicationIcon.h"
#include "ui/Formats.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"
#include "wire/HttpExchange.h"

#include <QApplication>
#include <QFileOpenEvent>
#include <QIcon>
#include <QPixmapCache>
#include <QPointer>

namespace zandrel {

ZandrelHubApp::ZandrelHubApp(Platform& platform, LinkRouter::Output output, LaunchOptions options)
    : platform_(platform)
    , preferences_(options.preferencesFile.isEmpty() ? Preferences::defaultFilePath()
                                                     : options.preferencesFile)
    , hubState_(platform)
    , storeService_(QStringLiteral("http://127.0.0.1:%1").arg(options.hubPort))
    , updateChecker_(storeService_, hubState_, preferences_, network_)
    , updateNotification_(preferences_, platform.notifier())
    , initialTab_(chooseInitialTab(platform, preferences_, options.links))
    , router_(storeService_, hubState_, platform, pendingSignIn_, std::move(output))
    , window_(std::make_unique<MainWindow>(
          PageContext{.hubState = hubState_,
                      .storeService = storeService_,
                      .platform = platform,
                      .hubPort = options.hubPort,
                      .storeWebsite = options.storeWebsite,
                      .onInstallComplete = {},
                      // A sheet's install may end after the application object is gone (a test).
                      .onLinkInstallFinished =
                          [app = QPointer<ZandrelHubApp>(this)](const QString& name,
                                                                const std::optional<QString>& failure) {
                              if (app)
                                  app->router_.installConfirmed(name, failure);
                          },
                      .preferences = &preferences_,
                      .pendingSignIn = &pendingSignIn_,
                      .updateChecker = &updateChecker_,
                      .showHubLog = {}},
          initialTab_,
          preferences_))
    , tray_(std::make_unique<TrayIcon>(hubState_, window_->startStopAction()))
{
    hubState_.setPort(options.hubPort);
    preferences_.setTrayAvailable(tray_->isAvailable());
    // An install may end after the application object is gone (a test, a quit cut short): it then tells
    // no one.
    router_.setInstallNotice(
        [app = QPointer<ZandrelHubApp>(this)](const QString& name, const std::optional<QString>& failure) {
            if (app)
                app->installFinished(name, failure);
        });
    router_.setInstallRequest([this](const QString& slug) { installRequested(slug); });
    // The Account page says why nothing happened; an install in the store's sheet is not cut short for
    // it: the notice waits for the next visit to Account.
    router_.setIgnoredCallback([this] {
        auto* store = qobject_cast<StoreView*>(window_->content().currentPage());
        if (store && store->detailSheet() && store->detailSheet()->isInstalling())
            return;
        window_->goTo(SidebarItem::section(SidebarItem::Kind::Account));
    });
    // A burst of links while the user is elsewhere gives one notice; coming back starts afresh, and
    // the notice is done with: the sheet is in front of the user.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive && std::exchange(waitingNoticeSent_, false))
                platform_.notifier().withdraw(Notifier::Kind::LinkInstall);
        });
    // The desktop's notices; where it has no service, the tray's balloon shows them. The notifier
    // belongs to the platform, which may outlive this object (a test).
    platform_.notifier().setFallback(
        [app = QPointer<ZandrelHubApp>(this)](Notifier::Kind kind, const Notifier::Notice& notice) {
            return app && app->showInTray(kind, notice);
        });
    connect(&platform_.notifier(), &Notifier::activated, this, &ZandrelHubApp::noticeActivated);
    connect(tray_.get(), &TrayIcon::messageClicked, this, [this] {
        noticeActivated(trayNoticeKind_, QLatin1String(Notifier::defaultAction), {});
    });
    connect(&updateChecker_, &UpdateChecker::backgroundCheckDone, this, [this](bool checked) {
        if (checked)
            updatesFound();
    });
    connect(&updateChecker_, &UpdateChecker::updatesChanged, this, [this] {
        if (updateChecker_.count() == 0)
            updateNotification_.withdraw();
    });
    connect(&updateChecker_, &UpdateChecker::updatesViewed, this, [this] { updateNotification_.withdraw(); });
    connect(window_.get(), &MainWindow::quitRequested, this, &ZandrelHubApp::quitRequested);
    connect(tray_.get(), &TrayIcon::quitRequested, window_.get(), &MainWindow::quit);
    connect(tray_.get(), &TrayIcon::openRequested, window_.get(), &MainWindow::bringForward);
    connect(tray_.get(), &TrayIcon::updatesRequested, window_.get(), [this] {
        settled_.run([this] { window_->goTo(SidebarItem::section(SidebarItem::Kind::Updates)); });
    });
    connect(&updateChecker_, &UpdateChecker::updatesChanged, tray_.get(), [this] {
        tray_->setUpdateCount(updateChecker_.count());
    });
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this);
        connect(application, &QCoreApplication::aboutToQuit, this, &ZandrelHubApp::shutDown);
        // Quitting is always asked for (the window may live on hidden in the tray), so a dialog closed
        // while the window is hidden does not end the application.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        connect(
            this, &ZandrelHubApp::quitRequested, application, &QCoreApplication::quit, Qt::QueuedConnection);
    }
}

SidebarItem
ZandrelHubApp::chooseInitialTab(Platform& platform, const Preferences& preferences, const QStringList& links)
{
    using Kind = SidebarItem::Kind;
    // A launch that brings a link is about that link: an install link opens the store, where the app's
    // page asks the user; another opens as a fresh launch would, not where the user left off.
    bool linked = false;
    for (const QString& link : links) {
        const ZandrelLink::Kind kind = ZandrelLink::parse(link).kind;
        if (kind == ZandrelLink::Kind::Install)
            return SidebarItem::section(Kind::Store);
        linked = linked || kind != ZandrelLink::Kind::Ignored;
    }
    if (const std::optional<SidebarItem> remembered = SidebarItem::fromKey(preferences.sectionKey());
        remembered && !linked)
        return *remembered;
    return SidebarItem::section(platform.exists(platform.tokenFilePath()) ? Kind::MyApps : Kind::Account);
}

ContentView& ZandrelHubApp::window()
{
    return window_->content();
}

void ZandrelHubApp::installFinished(const QString& app, const std::optional<QString>& failure)
{
    // Someone looking at the window sees the outcome there.
    if (isLookedAt())
        return;
    const QString title = failure ? tr("Could not install %1").arg(app) : tr("%1 installed").arg(app);
    const QString body = failure ? *failure : tr("%1 is ready in My Apps.").arg(app);
    platform_.notifier().show(Notifier::Kind::Install,
                              {.title = title,
                               .body = body,
                               .actions = {{QLatin1String(Notifier::defaultAction), tr("Show")}},
                               .failure = failure.has_value()});
}

void ZandrelHubApp::installRequested(const QString& slug)
{
    const bool lookedAt = launching_ || isLookedAt();
    if (lookedAt)
        waitingNoticeSent_ = false;
    if (!window_->openLinkedInstall(slug) || lookedAt || waitingNoticeSent_)
        return;
    waitingNoticeSent_ = true;
    // The window may not come forward by itself (the desktop keeps focus where the user is). The
    // notice names no app: the link's text is not what the user decides on.
    platform_.notifier().show(
        Notifier::Kind::LinkInstall,
        {.title = tr("An app waits for your confirmation"),
         .body =
             tr("A link asks to install an app. Nothing is installed until you confirm it in Zandrel Hub."),
         .actions = {{QLatin1String(Notifier::defaultAction), tr("Show")}},
         .failure = false});
}

bool ZandrelHubApp::isLookedAt() const
{
    // The window, or one of its sheets and dialogs, has the keyboard. A hidden or minimised window may
    // still count as active on some platforms until the system says otherwise.
    if (!window_->isVisible() || window_->isMinimized())
        return false;
    for (const QWidget* active = QApplication::activeWindow(); active; active = active->parentWidget()) {
        if (active == window_.get())
            return true;
    }
    return false;
}

bool ZandrelHubApp::showInTray(Notifier::Kind kind, const Notifier::Notice& notice)
{
    if (!tray_->notify(notice.title, notice.body, notice.failure))
        return false;
    trayNoticeKind_ = kind;
    return true;
}

void ZandrelHubApp::updatesFound()
{
    QStringList names;
    for (const UpdateInfo& update : updateChecker_.updates())
        names.append(ui::capitalizedWords(update.slug));
    updateNotification_.consider(updateChecker_.updates(), names, isLookedAt());
}

void ZandrelHubApp::noticeActivated(Notifier::Kind kind,
                                    const QString& action,
                                    const QString& activationToken)
{
    platform_.withActivationToken(activationToken, [&] { window_->bringForward(); });
    if (kind != Notifier::Kind::Updates)
        return;
    settled_.run([this, updateAll = action == QLatin1String(UpdateNotification::updateAllAction)] {
        window_->goTo(SidebarItem::section(SidebarItem::Kind::Updates));
        if (!updateAll)
            return;
        if (auto* updates = qobject_cast<UpdatesView*>(window_->content().currentPage()))
            updates->updateAllOnceChecked();
    });
}

ZandrelHubApp::~ZandrelHubApp()
{
    platform_.notifier().setFallback({});
}

void ZandrelHubApp::setUpLook(QApplication& application)
{
    // The user's language first: every text made from here on is translated.
    Translations::install(QLocale::system().uiLanguages());
    QApplication::setStyle(new ui::AppStyle);
    // The style's and our painted pieces are cached by size and state; Qt's default of 10 MB let a
    // long run grow for hundreds of page visits. This many hold every piece a screenful needs.
    QPixmapCache::setCacheLimit(pixmapCacheKiB);
    QFont font = QApplication::font();
    font.setPixelSize(ui::Theme::font(ui::TextStyle::Body).pixelSize());
    QApplication::setFont(font);
    ui::SymbolTable::registerResources();
    application.setWindowIcon(ui::applicationIcon());
    // Ties the windows to the installed desktop entry (its icon and name on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.zandrel.HubDesktop"));
    QCoreApplication::setApplicationVersion(AboutDialog::version());
}

void ZandrelHubApp::shutDown()
{
    window_->rememberPlace();
    window_->content().shutDown();
    hubState_.shutDown();
    HttpExchange::shutDown();
}

void ZandrelHubApp::show()
{
    window_->restorePlace();
    window_->show();
    // The background check starts with the window, never in a test that only builds the application.
    updateChecker_.start();
}

ZandrelLink::Kind ZandrelHubApp::handleUrl(const QString& link)
{
    const ZandrelLink::Kind kind = ZandrelLink::parse(link).kind;
    if (kind != ZandrelLink::Kind::Ignored)
        settled_.run([this, link] { router_.handle(link); });
    return kind;
}

void ZandrelHubApp::receiveLinks(const QStringList& links, const QString& activationToken)
{
    platform_.withActivationToken(activationToken, [&] { window_->bringForward(); });
    for (const QString& link : links)
        handleUrl(link);
}

void ZandrelHubApp::openLaunchLinks(const QStringList& links)
{
    launching_ = true;
    for (const QString& link : links)
        handleUrl(link);
    launching_ = false;
}

bool ZandrelHubApp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FileOpen) {
        const auto* open = static_cast<QFileOpenEvent*>(event);
        if (handleUrl(open->url().toString(QUrl::FullyEncoded)) != ZandrelLink::Kind::Ignored)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zandrel
