#pragma once

#include "installed/InstalledApp.h"
#include "installed/SidebarItem.h"

#include <QPointer>
#include <QWidget>
#include <optional>
#include <qcoro/qcorotask.h>

class QVBoxLayout;

namespace zandrel {

class HubState;
class Platform;
class Sidebar;
class StatusBar;
class StoreService;

// The application's window: the sidebar beside a detail column that shows the selected section above
// the status bar. When first shown it applies the initial selection, looks for the installed
// companion apps and refreshes the Hub state once.
class ContentView : public QWidget {
    Q_OBJECT

public:
    ContentView(HubState& hubState,
                StoreService& storeService,
                Platform& platform,
                std::optional<SidebarItem> initialSelection,
                QWidget* parent = nullptr);

    const std::optional<SidebarItem>& selection() const { return selection_; }
    void setSelection(std::optional<SidebarItem> selection);

    const QList<InstalledApp>& installedApps() const { return installedApps_; }
    // Looks for the known apps' bundles again; called at start-up, after an install and an uninstall.
    void refreshInstalledApps();

    QWidget* currentPage() const { return page_; }
    Sidebar* sidebar() const { return sidebar_; }
    StatusBar* statusBar() const { return statusBar_; }

Q_SIGNALS:
    // The start-up task is done: the Hub state has been refreshed once.
    void startUpFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QCoro::Task<> startUp();
    void showPage();
    QWidget* makePage();
    void updateStatusBar();

    HubState& hubState_;
    StoreService& storeService_;
    Platform& platform_;
    std::optional<SidebarItem> initialSelection_;
    std::optional<SidebarItem> selection_ = SidebarItem::section(SidebarItem::Kind::Store);
    QList<InstalledApp> installedApps_;
    bool started_ = false;

    Sidebar* sidebar_;
    StatusBar* statusBar_;
    QWidget* pageHost_;
    QVBoxLayout* pageLayout_;
    QPointer<QWidget> page_;
};

} // namespace zandrel
