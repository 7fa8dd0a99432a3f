#pragma once

#include "installed/InstalledApp.h"
#include "installed/SidebarItem.h"
#include "ui/PageContext.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <optional>
#include <qcoro/qcorotask.h>

class QVBoxLayout;

namespace zandrel {

class AboutDialog;
class Sidebar;
class StatusBar;

// The application's window: the sidebar beside a detail column that shows the selected section above
// the status bar. It opens on the initial selection (the Store without one), building only that page;
// when first shown it looks for the installed companion apps again and refreshes the Hub state once.
// Coming back to the window refreshes the Hub state again, at most once per interval, so a Hub that
// died meanwhile is not shown as running for long; nothing polls while the window sits inactive.
class ContentView : public QWidget {
    Q_OBJECT

public:
    ContentView(PageContext context, std::optional<SidebarItem> initialSelection, QWidget* parent = nullptr);

    const std::optional<SidebarItem>& selection() const { return selection_; }
    void setSelection(std::optional<SidebarItem> selection);

    const QList<InstalledApp>& installedApps() const { return installedApps_; }
    // Looks for the known apps' bundles again; called at start-up, after an install and an uninstall.
    void refreshInstalledApps();

    QWidget* currentPage() const { return page_; }
    // Refresh: the Hub's status, the installed apps, and what the page shown fetches when shown.
    void reload();
    // At quit: the page is retired, so its coroutines end without touching or sending anything.
    void shutDown();
    Sidebar* sidebar() const { return sidebar_; }
    StatusBar* statusBar() const { return statusBar_; }
    // Opens the About dialog (from the button below the sidebar, or its menu action), or brings it
    // forward.
    AboutDialog* showAbout();
    // The window came to the front: the Hub's status is looked at again, at most once per interval.
    void windowActivated();
    // 5 s between refreshes on activation; tests shorten it.
    void setActivationRefreshInterval(std::chrono::milliseconds interval)
    {
        activationRefreshInterval_ = interval;
    }

Q_SIGNALS:
    // The start-up task is done: the Hub state has been refreshed once.
    void startUpFinished();
    // A new page was built for the detail area.
    void pageChanged(QWidget* page);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QCoro::Task<> startUp();
    void showPage();
    QWidget* makePage();
    QWidget* sidebarColumn();
    void updateStatusBar();
    void setUpFocusOrder();

    PageContext context_;
    std::optional<SidebarItem> selection_;
    QList<InstalledApp> installedApps_;
    bool started_ = false;
    bool shutDown_ = false;
    QElapsedTimer sinceHubRefresh_;
    std::chrono::milliseconds activationRefreshInterval_{5000};

    Sidebar* sidebar_;
    StatusBar* statusBar_;
    QWidget* pageHost_;
    QVBoxLayout* pageLayout_;
    QPointer<QWidget> page_;
    QPointer<AboutDialog> about_;
};

} // namespace zandrel
