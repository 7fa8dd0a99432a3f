#pragma once

#include "app/LaunchOptions.h"
#include "app/LinkRouter.h"
#include "hub_api/HubState.h"
#include "installed/SidebarItem.h"
#include "store/StoreService.h"

#include <QObject>
#include <memory>

class QApplication;

namespace zandrel {

class ContentView;
class Platform;

// The application: the one Hub state and store service of the process, the window, and the receiver
// of zandrel: links. The window opens on My Apps when a sign-in token file exists, on Account otherwise.
class ZandrelHubApp : public QObject {
    Q_OBJECT

public:
    // Both the Hub state and the store service talk to the Hub on the options' port.
    explicit ZandrelHubApp(Platform& platform,
                           LinkRouter::Output output = LinkRouter::printLine,
                           LaunchOptions options = {});
    ~ZandrelHubApp() override;

    // Fusion style, the text size the look is drawn for, and the application's icon.
    static void setUpLook(QApplication& application);

    HubState& hubState() { return hubState_; }
    StoreService& storeService() { return storeService_; }
    ContentView& window() { return *window_; }
    const SidebarItem& initialTab() const { return initialTab_; }

    void show();
    // At quit (connected to aboutToQuit): pages retire, delayed refreshes and exchanges in flight end.
    void shutDown();
    ZandrelLink::Kind handleUrl(const QString& link);
    // Links handed over by a later launch: brings the window forward, then handles each.
    void receiveLinks(const QStringList& links);

protected:
    // Links delivered by the system as file-open events (macOS).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HubState hubState_;
    StoreService storeService_;
    SidebarItem initialTab_;
    LinkRouter router_;
    std::unique_ptr<ContentView> window_;
};

} // namespace zandrel
