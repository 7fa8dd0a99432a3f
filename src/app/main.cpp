#include "app/HubState.h"
#include "platform/QtPlatform.h"
#include "store/StoreService.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandrel Hub"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    zandrel::QtPlatform platform;
    zandrel::HubState hubState(platform);
    zandrel::StoreService storeService;

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Zandrel Hub"));
    window.setMinimumSize(600, 400);
    window.resize(800, 550);
    auto* status = new QLabel(QStringLiteral("Hub Stopped"));
    window.setCentralWidget(status);
    QObject::connect(&hubState, &zandrel::HubState::isRunningChanged, status, [&hubState, status] {
        status->setText(hubState.isRunning() ? QStringLiteral("Hub Running on :%1").arg(hubState.port())
                                             : QStringLiteral("Hub Stopped"));
    });
    window.show();
    hubState.refresh();
    return app.exec();
}
