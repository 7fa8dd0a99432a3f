#include "app/ZandrelHubApp.h"

#include "app/AboutDialog.h"
#include "app/ContentView.h"
#include "app/MainWindow.h"
#include "app/Translations.h"
#include "app/TrayIcon.h"
#include "platform/Platform.h"
#include "ui/AppStyle.h"
#include "ui/ApplicationIcon.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"
#include "wire/HttpExchange.h"

#include <QApplication>
#include <QFileOpenEvent>
#include <QIcon>
#include <QPointer>

namespace zandrel {

ZandrelHubApp::ZandrelHubApp(Platform& platform, LinkRouter::Output output, LaunchOptions options)
    : platform_(platform)
    , preferences_(options.preferencesFile.isEmpty() ? Preferences::defaultFilePath()
                                                     : options.preferencesFile)
    , hubState_(platform)
    , storeService_(QStringLiteral("http://127.0.0.1:%1").arg(options.hubPort))
    , initialTab_(chooseInitialTab(platform, preferences_, options.links))
    , router_(storeService_, hubState_, platform, std::move(output))
    , window_(std::make_unique<MainWindow>(
          PageContext{
              hubState_, storeService_, platform, options.hubPort, options.storeWebsite, {}, &preferences_},
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
    connect(window_.get(), &MainWindow::quitRequested, this, &ZandrelHubApp::quitRequested);
    connect(tray_.get(), &TrayIcon::quitRequested, window_.get(), &MainWindow::quit);
    connect(tray_.get(), &TrayIcon::openRequested, window_.get(), &MainWindow::bringForward);
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
    // A launch that brings a link is about that link: it opens as a fresh launch would, not where the
    // user left off.
    const bool linked = std::any_of(links.cbegin(), links.cend(), [](const QString& link) {
        return ZandrelLink::parse(link).kind != ZandrelLink::Kind::Ignored;
    });
    if (const std::optional<SidebarItem> remembered = preferences.section(); remembered && !linked)
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
    if (window_->isActiveWindow())
        return;
    const QString title = failure ? tr("Could not install %1").arg(app) : tr("%1 installed").arg(app);
    const QString body = failure ? *failure : tr("%1 is ready in My Apps.").arg(app);
    if (!tray_->notify(title, body, failure.has_value()))
        platform_.showNotification(title, body);
}

ZandrelHubApp::~ZandrelHubApp() = default;

void ZandrelHubApp::setUpLook(QApplication& application)
{
    // The user's language first: every text made from here on is translated.
    Translations::install(QLocale::system().uiLanguages());
    QApplication::setStyle(new ui::AppStyle);
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
}

ZandrelLink::Kind ZandrelHubApp::handleUrl(const QString& link)
{
    return router_.handle(link);
}

void ZandrelHubApp::receiveLinks(const QStringList& links)
{
    window_->bringForward();
    for (const QString& link : links)
        handleUrl(link);
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
