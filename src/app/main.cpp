#include "app/SingleInstance.h"
#include "app/ZandrelHubApp.h"
#include "platform/QtPlatform.h"
#include "platform/ShutdownSignals.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandrel Hub"));
    // zandrel: links arrive as arguments (the desktop entry passes %u).
    const QStringList links = application.arguments().mid(1);

    zandrel::QtPlatform platform;
    zandrel::SingleInstance instance(platform.homeDirectory());
    // Hand-overs accepted from here on wait in the event loop until the window is connected below.
    // A launcher that starts us on Wayland passes a token that lets the running window come forward.
    const QString activationToken = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (instance.claim(links, activationToken) == zandrel::SingleInstance::Role::Forwarded)
        return 0;

    zandrel::ZandrelHubApp::setUpLook(application);
    // The Hub's port and the store website, unless the environment says otherwise (README).
    zandrel::LaunchOptions options = zandrel::LaunchOptions::fromEnvironment();
    options.links = links;
    zandrel::ZandrelHubApp hub(platform, zandrel::LinkRouter::printLine, std::move(options));
    QObject::connect(
        &instance, &zandrel::SingleInstance::linksReceived, &hub, &zandrel::ZandrelHubApp::receiveLinks);
    zandrel::ShutdownSignals shutdownSignals;
    QObject::connect(
        &shutdownSignals, &zandrel::ShutdownSignals::received, &application, &QApplication::quit);
    hub.show();
    hub.openLaunchLinks(links);
    return application.exec();
}
