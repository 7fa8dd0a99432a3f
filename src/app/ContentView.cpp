#include "app/ContentView.h"

#include "app/AboutDialog.h"
#include "app/StatusBar.h"
#include "hub_api/HubState.h"
#include "installed/InstalledAppDetail.h"
#include "installed/InstalledAppsGrid.h"
#include "installed/Sidebar.h"
#include "platform/Platform.h"
#include "settings/SettingsView.h"
#include "store/AccountView.h"
#include "store/StoreView.h"
#include "store/UpdateChecker.h"
#include "store/UpdatesView.h"
#include "ui/EmptyStateView.h"
#include "ui/FocusOrder.h"
#include "ui/PageLife.h"
#include "ui/Reloadable.h"
#include "ui/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace zandrel {

namespace {

const QString kWindowTitle = QStringLiteral("Zandrel Hub");

} // namespace

ContentView::ContentView(PageContext context, std::optional<SidebarItem> initialSelection, QWidget* parent)
    : QWidget(parent)
    , context_(std::move(context))
    // The start asks for one section (My Apps or Account); only its page is ever built.
    , selection_(initialSelection ? std::move(initialSelection)
                                  : SidebarItem::section(SidebarItem::Kind::Store))
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
    split->addWidget(sidebarColumn());
    split->addWidget(detail);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({190, 610});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    // Installs from the store refresh the sidebar, also after their page or sheet is gone.
    context_.onInstallComplete = [window = QPointer<ContentView>(this)] {
        if (window)
            window->refreshInstalledApps();
    };
    HubState& hubState = context_.hubState;
    connect(sidebar_, &Sidebar::itemChosen, this, [this](const SidebarItem& item) { setSelection(item); });
    // The grid has no row of its own: its header brings it back.
    connect(sidebar_, &Sidebar::myAppsChosen, this, [this] { setSelection(std::nullopt); });
    connect(statusBar_, &StatusBar::startRequested, &hubState, &HubState::startHub);
    connect(statusBar_, &StatusBar::stopRequested, &hubState, &HubState::stopHub);
    connect(statusBar_, &StatusBar::logRequested, this, [this] {
        if (context_.showHubLog)
            context_.showHubLog();
    });
    connect(&hubState, &HubState::isRunningChanged, this, &ContentView::updateStatusBar);
    connect(&hubState, &HubState::appsChanged, this, &ContentView::updateStatusBar);
    connect(&hubState, &HubState::portChanged, this, &ContentView::updateStatusBar);
    connect(&hubState, &HubState::problemChanged, this, &ContentView::updateStatusBar);
    updateStatusBar();
    if (UpdateChecker* checker = context_.updateChecker) {
        connect(checker, &UpdateChecker::updatesChanged, sidebar_, [this, checker] {
            sidebar_->setUpdateCount(checker->count());
        });
        sidebar_->setUpdateCount(checker->count());
    }
    // Found before the first page is built, so the start-up's own look changes nothing and the grid
    // is built once.
    installedApps_ = findInstalledApps(context_.platform);
    // A remembered app that is gone since opens the grid rather than "App not found".
    if (selection_ && selection_->kind == SidebarItem::Kind::App &&
        std::none_of(installedApps_.cbegin(), installedApps_.cend(), [this](const InstalledApp& app) {
            return app.name.toLower() == selection_->appName;
        }))
        selection_ = SidebarItem::section(SidebarItem::Kind::MyApps);
    sidebar_->setInstalledApps(installedApps_);
    sidebar_->setSelection(selection_);
    showPage();
    setUpFocusOrder();
}

void ContentView::setUpFocusOrder()
{
    // Tab reads the window as the eye does: the sidebar, the About button below it, the page, and the
    // status bar's button last. The status bar's button leads the chain, so every page (and every row
    // a page adds later) joins it after the sidebar and before the status bar's button comes round.
    auto* toggle = statusBar_->findChild<QPushButton*>(QStringLiteral("hubToggleButton"));
    auto* about = findChild<QPushButton*>(QStringLiteral("aboutButton"));
    setTabOrder(toggle, sidebar_);
    setTabOrder(sidebar_, about);
    ui::orderFocusChain(page_);
    connect(this, &ContentView::pageChanged, this, [](QWidget* page) { ui::orderFocusChain(page); });
}

QWidget* ContentView::sidebarColumn()
{
    // The sidebar above a quiet "About" button, on the sidebar's own background.
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("sidebarColumn"));
    column->setBackgroundRole(QPalette::Window);
    column->setAutoFillBackground(true);
    auto* about = new QPushButton(tr("About Zandrel Hub"));
    about->setObjectName(QStringLiteral("aboutButton"));
    about->setFlat(true);
    about->setFont(ui::Theme::font(ui::TextStyle::Footnote));
    about->setCursor(Qt::PointingHandCursor);
    connect(about, &QPushButton::clicked, this, &ContentView::showAbout);

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(0);
    layout->addWidget(sidebar_, 1);
    auto* aboutRow = new QHBoxLayout;
    aboutRow->setContentsMargins(6, 0, 0, 0); // in line with the sidebar's headers
    aboutRow->addWidget(about);
    aboutRow->addStretch(1);
    layout->addLayout(aboutRow);
    return column;
}

AboutDialog* ContentView::showAbout()
{
    if (about_) {
        about_->raise();
        about_->activateWindow();
        return about_;
    }
    about_ = new AboutDialog(context_.platform, this);
    about_->setAttribute(Qt::WA_DeleteOnClose);
    about_->open();
    return about_;
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
    QList<InstalledApp> found = findInstalledApps(context_.platform);
    if (found == installedApps_)
        return;
    installedApps_ = std::move(found);
    sidebar_->setInstalledApps(installedApps_);
    // Only the grid and an app's detail depend on the list; other pages keep their state.
    if (!selection_ || selection_->kind == SidebarItem::Kind::MyApps ||
        selection_->kind == SidebarItem::Kind::App)
        showPage();
}

void ContentView::reload()
{
    if (shutDown_)
        return;
    sinceHubRefresh_.start();
    context_.hubState.refresh();
    refreshInstalledApps();
    if (auto* page = dynamic_cast<ui::Reloadable*>(page_.data()))
        page->reload();
}

void ContentView::shutDown()
{
    shutDown_ = true;
    ui::retire(page_);
}

void ContentView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Qt tells only top-level widgets; inside the main window, the window passes it on.
    if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow())
        windowActivated();
}

void ContentView::windowActivated()
{
    if (!started_ || shutDown_)
        return;
    if (sinceHubRefresh_.isValid() && sinceHubRefresh_.elapsed() < activationRefreshInterval_.count())
        return;
    sinceHubRefresh_.start();
    context_.hubState.refresh();
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
    refreshInstalledApps();
    sinceHubRefresh_.start();
    co_await context_.hubState.refresh();
    if (!self)
        co_return;
    Q_EMIT startUpFinished();
}

void ContentView::showPage()
{
    if (page_) {
        pageLayout_->removeWidget(page_);
        page_->hide();
        // Retired now, so its coroutines stop at their next step; deleted later, because the page
        // may be the sender of the signal that led here (an uninstall).
        ui::retire(page_);
        page_->deleteLater();
    }
    page_ = makePage();
    pageLayout_->addWidget(page_);
    setWindowTitle(page_->windowTitle().isEmpty() ? kWindowTitle : page_->windowTitle());
    Q_EMIT pageChanged(page_);
}

QWidget* ContentView::makePage()
{
    using Kind = SidebarItem::Kind;
    switch (selection_ ? selection_->kind : Kind::MyApps) {
    case Kind::MyApps:
        return new InstalledAppsGrid(installedApps_, context_.platform);
    case Kind::App:
        for (const InstalledApp& app : installedApps_) {
            if (app.name.toLower() == selection_->appName) {
                auto* detail = new InstalledAppDetail(app, context_.platform);
                connect(detail, &InstalledAppDetail::uninstalled, this, [this] {
                    refreshInstalledApps();
                    setSelection(SidebarItem::section(Kind::MyApps));
                });
                return detail;
            }
        }
        return new ui::EmptyStateView(tr("App not found"), QStringLiteral("questionmark.app"));
    case Kind::Store:
        return new StoreView(context_);
    case Kind::Updates:
        return new UpdatesView(context_);
    case Kind::Account:
        return new AccountView(context_);
    case Kind::Settings:
        return new SettingsView(context_);
    }
    return new InstalledAppsGrid(installedApps_, context_.platform);
}

void ContentView::updateStatusBar()
{
    const HubState& hubState = context_.hubState;
    statusBar_->setStatus(
        hubState.isRunning(), int(hubState.apps().size()), hubState.port(), hubState.problem());
}

} // namespace zandrel
