#include "installed/ContentView.h"

#include "app/HubState.h"
#include "app/StatusBar.h"
#include "installed/InstalledAppDetail.h"
#include "installed/InstalledAppsGrid.h"
#include "installed/PlaceholderPage.h"
#include "installed/Sidebar.h"
#include "platform/Platform.h"
#include "ui/EmptyStateView.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace zandrel {

namespace {

const QString kWindowTitle = QStringLiteral("Zandrel Hub");

} // namespace

ContentView::ContentView(HubState& hubState,
                         StoreService& storeService,
                         Platform& platform,
                         std::optional<SidebarItem> initialSelection,
                         QWidget* parent)
    : QWidget(parent)
    , hubState_(hubState)
    , storeService_(storeService)
    , platform_(platform)
    , initialSelection_(std::move(initialSelection))
    , sidebar_(new Sidebar)
    , statusBar_(new StatusBar)
    , pageHost_(new QWidget)
    , pageLayout_(new QVBoxLayout(pageHost_))
{
    setObjectName(QStringLiteral("contentView"));
    setWindowTitle(kWindowTitle);
    setMinimumSize(600, 400);
    resize(800, 550);

    pageHost_->setObjectName(QStringLiteral("detailArea"));
    pageHost_->setBackgroundRole(QPalette::Base);
    pageHost_->setAutoFillBackground(true);
    pageLayout_->setContentsMargins(0, 0, 0, 0);

    auto* detail = new QWidget;
    auto* column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(pageHost_, 1);
    column->addWidget(statusBar_);

    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName(QStringLiteral("splitView"));
    split->setChildrenCollapsible(false);
    split->setHandleWidth(1);
    split->addWidget(sidebar_);
    split->addWidget(detail);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({190, 610});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    connect(sidebar_, &Sidebar::itemChosen, this, [this](const SidebarItem& item) { setSelection(item); });
    connect(statusBar_, &StatusBar::startRequested, &hubState_, &HubState::startHub);
    connect(statusBar_, &StatusBar::stopRequested, &hubState_, &HubState::stopHub);
    connect(&hubState_, &HubState::isRunningChanged, this, &ContentView::updateStatusBar);
    connect(&hubState_, &HubState::appsChanged, this, &ContentView::updateStatusBar);
    connect(&hubState_, &HubState::portChanged, this, &ContentView::updateStatusBar);
    updateStatusBar();
    sidebar_->setSelection(selection_);
    showPage();
}

void ContentView::setSelection(std::optional<SidebarItem> selection)
{
    if (selection == selection_ && page_)
        return;
    selection_ = std::move(selection);
    sidebar_->setSelection(selection_);
    showPage();
}

void ContentView::refreshInstalledApps()
{
    QList<InstalledApp> found = findInstalledApps(platform_);
    if (found == installedApps_)
        return;
    installedApps_ = std::move(found);
    sidebar_->setInstalledApps(installedApps_);
    // Only the grid and an app's detail depend on the list; other pages keep their state.
    if (!selection_ || selection_->kind == SidebarItem::Kind::MyApps ||
        selection_->kind == SidebarItem::Kind::App)
        showPage();
}

void ContentView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (started_)
        return;
    started_ = true;
    startUp();
}

QCoro::Task<> ContentView::startUp()
{
    QPointer<ContentView> self(this);
    if (initialSelection_)
        setSelection(*initialSelection_);
    refreshInstalledApps();
    co_await hubState_.refresh();
    if (!self)
        co_return;
    Q_EMIT startUpFinished();
}

void ContentView::showPage()
{
    if (page_) {
        pageLayout_->removeWidget(page_);
        page_->hide();
        // Later: the page may be the sender of the signal that led here (an uninstall).
        page_->deleteLater();
    }
    page_ = makePage();
    pageLayout_->addWidget(page_);
    setWindowTitle(page_->windowTitle().isEmpty() ? kWindowTitle : page_->windowTitle());
}

QWidget* ContentView::makePage()
{
    using Kind = SidebarItem::Kind;
    switch (selection_ ? selection_->kind : Kind::MyApps) {
    case Kind::MyApps:
        return new InstalledAppsGrid(installedApps_, platform_);
    case Kind::App:
        for (const InstalledApp& app : installedApps_) {
            if (app.name.toLower() == selection_->appName) {
                auto* detail = new InstalledAppDetail(app, platform_);
                connect(detail, &InstalledAppDetail::uninstalled, this, [this] {
                    refreshInstalledApps();
                    setSelection(SidebarItem::section(Kind::MyApps));
                });
                return detail;
            }
        }
        return new ui::EmptyStateView(QStringLiteral("App not found"), QStringLiteral("questionmark.app"));
    case Kind::Store:
        return new PlaceholderPage(QStringLiteral("Store"));
    case Kind::Updates:
        return new PlaceholderPage(QStringLiteral("Updates"));
    case Kind::Account:
        return new PlaceholderPage(QStringLiteral("Account"));
    case Kind::Settings:
        return new PlaceholderPage(QStringLiteral("Settings"));
    }
    return new InstalledAppsGrid(installedApps_, platform_);
}

void ContentView::updateStatusBar()
{
    statusBar_->setStatus(hubState_.isRunning(), int(hubState_.apps().size()), hubState_.port());
}

} // namespace zandrel
