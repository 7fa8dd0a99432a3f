#include "app/ZandrelHubApp.h"

#include "app/AboutDialog.h"
#include "app/ContentView.h"
#include "platform/Platform.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"
#include "wire/HttpExchange.h"

#include <QApplication>
#include <QFileOpenEvent>
#include <QIcon>

namespace zandrel {

ZandrelHubApp::ZandrelHubApp(Platform& platform, LinkRouter::Output output, LaunchOptions options)
    : hubState_(platform)
    , storeService_(QStringLiteral("http://127.0.0.1:%1").arg(options.hubPort))
    , initialTab_(SidebarItem::section(
          platform.exists(platform.tokenFilePath()) ? SidebarItem::Kind::MyApps : SidebarItem::Kind::Account))
    , router_(storeService_, hubState_, platform, std::move(output))
    , window_(std::make_unique<ContentView>(
          PageContext{hubState_, storeService_, platform, options.hubPort, options.storeWebsite, {}},
          initialTab_))
{
    hubState_.setPort(options.hubPort);
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this);
        connect(application, &QCoreApplication::aboutToQuit, this, &ZandrelHubApp::shutDown);
    }
}

ZandrelHubApp::~ZandrelHubApp() = default;

void ZandrelHubApp::setUpLook(QApplication& application)
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font = QApplication::font();
    font.setPixelSize(ui::Theme::font(ui::TextStyle::Body).pixelSize());
    QApplication::setFont(font);
    ui::SymbolTable::registerResources();
    application.setWindowIcon(QIcon(QStringLiteral(":/zandrel-desktop.svg")));
    // Ties the windows to the installed desktop entry (its icon and name on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.zandrel.HubDesktop"));
    QCoreApplication::setApplicationVersion(AboutDialog::version());
}

void ZandrelHubApp::shutDown()
{
    window_->shutDown();
    hubState_.shutDown();
    HttpExchange::shutDown();
}

void ZandrelHubApp::show()
{
    window_->show();
}

ZandrelLink::Kind ZandrelHubApp::handleUrl(const QString& link)
{
    return router_.handle(link);
}

void ZandrelHubApp::receiveLinks(const QStringList& links)
{
    window_->show();
    window_->raise();
    window_->activateWindow();
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
