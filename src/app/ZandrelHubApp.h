#pragma once

#include "app/LaunchOptions.h"
#include "app/LinkRouter.h"
#include "app/SettledSteps.h"
#include "hub_api/HubState.h"
#include "installed/SidebarItem.h"
#include "platform/Notifier.h"
#include "platform/SystemNetworkState.h"
#include "preferences/Preferences.h"
#include "store/PendingSignIn.h"
#include "store/StoreService.h"
#include "store/UpdateChecker.h"
#include "store/UpdateNotification.h"

#include <QObject>
#include <memory>

class QApplication;

namespace zandrel {

class ContentView;
class MainWindow;
class Platform;
class TrayIcon;

// The application: the one Hub state and store service of the process, the window, the tray icon and
// the receiver of zandrel: links. The window opens on the section it showed last; a launch that brings
// an install link opens on Browse, a first launch or one that brings another link on My Apps when a
// sign-in token file exists and on Account otherwise.
class ZandrelHubApp : public QObject {
    Q_OBJECT

public:
    // Both the Hub state and the store service talk to the Hub on the options' port.
    explicit ZandrelHubApp(Platform& platform,
                           LinkRouter::Output output = LinkRouter::printLine,
                           LaunchOptions options = {});
    ~ZandrelHubApp() override;

    // The user's language, Fusion style, the text size the look is drawn for, and the application's icon.
    static void setUpLook(QApplication& application);

    HubState& hubState() { return hubState_; }
    StoreService& storeService() { return storeService_; }
    Preferences& preferences() { return preferences_; }
    ContentView& window();
    MainWindow& mainWindow() { return *window_; }
    TrayIcon& trayIcon() { return *tray_; }
    PendingSignIn& pendingSignIn() { return pendingSignIn_; }
    UpdateChecker& updateChecker() { return updateChecker_; }
    const SidebarItem& initialTab() const { return initialTab_; }

    // Shows the window where it was last time.
    void show();
    // At quit (connected to aboutToQuit): the window's place is kept, pages retire, delayed refreshes
    // and exchanges in flight end.
    void shutDown();
    // The bound on the shared pixmap cache (symbols, the style's pieces), in KiB.
    static constexpr int pixmapCacheKiB = 1024;
    // Acts on a link, at once or, while a dialog is open, once it has closed; answers its kind.
    ZandrelLink::Kind handleUrl(const QString& link);
    // What links, notices and the tray asked of the window while a dialog was open.
    const SettledSteps& settledSteps() const { return settled_; }
    // Links handed over by a later launch: brings the window forward, then handles each.
    void receiveLinks(const QStringList& links, const QString& activationToken = {});
    // The links this launch brought, once the window is shown: it opens with them in front of the
    // user, so no desktop notice is needed.
    void openLaunchLinks(const QStringList& links);

Q_SIGNALS:
    // The user asked to quit (menu, tray, or closing the window when it does not stay in the tray).
    void quitRequested();

protected:
    // Links delivered by the system as file-open events (macOS).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static SidebarItem
    chooseInitialTab(Platform& platform, const Preferences& preferences, const QStringList& links);
    void installFinished(const QString& app, const std::optional<QString>& failure);
    void installRequested(const QString& slug);
    void updatesFound();
    void noticeActivated(Notifier::Kind kind, const QString& action, const QString& activationToken);
    bool showInTray(Notifier::Kind kind, const Notifier::Notice& notice);
    bool isLookedAt() const;
    bool launching_ = false;
    bool waitingNoticeSent_ = false; // since the user last came to the application

    Platform& platform_;
    Preferences preferences_;
    HubState hubState_;
    StoreService storeService_;
    PendingSignIn pendingSignIn_;
    SystemNetworkState network_;
    UpdateChecker updateChecker_;
    UpdateNotification updateNotification_;
    Notifier::Kind trayNoticeKind_ = Notifier::Kind::Install; // what the tray's balloon showed last
    SidebarItem initialTab_;
    LinkRouter router_;
    SettledSteps settled_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<TrayIcon> tray_;
};

} // namespace zandrel
