#include "store/UpdatesView.h"

#include "hub_api/HubState.h"
#include "store/StoreService.h"
#include "store/UpdateChecker.h"
#include "store/UpdateListModel.h"
#include "store/UpdateRow.h"
#include "ui/Button.h"
#include "ui/Divider.h"
#include "ui/EmptyStateView.h"
#include "ui/ErrorBanner.h"
#include "ui/Label.h"
#include "ui/PageLife.h"
#include "ui/Spinner.h"
#include "wire/Error.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace zandrel {

namespace {

// Return or Space on the current row updates it, as its button does.
class UpdateListView : public QListView {
public:
    explicit UpdateListView(std::function<void(int)> update)
        : update_(std::move(update))
    {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool updates =
            event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
        if (updates && currentIndex().isValid()) {
            update_(currentIndex().row());
            return;
        }
        QListView::keyPressEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QListView::resizeEvent(event);
        // Row heights depend on how the notes wrap at this width.
        scheduleDelayedItemsLayout();
    }

private:
    std::function<void(int)> update_;
};

} // namespace

UpdatesView::UpdatesView(const PageContext& context, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , main_(new QStackedWidget)
    , header_(new ui::Label({}, ui::TextStyle::Headline))
    , model_(new UpdateListModel(this))
    , banner_(new ui::ErrorBanner)
{
    setObjectName(QStringLiteral("updatesView"));
    setWindowTitle(tr("Updates"));
    model_->setStates(&updating_, &updated_);

    auto* checking = new QWidget;
    auto* checkingColumn = new QVBoxLayout(checking);
    checkingColumn->addStretch(1);
    auto* progress = new ui::ProgressLabel(tr("Checking for updates\u2026"));
    progress->setObjectName(QStringLiteral("checkingForUpdates"));
    checkingColumn->addWidget(progress, 0, Qt::AlignHCenter);
    checkingColumn->addStretch(1);
    auto* upToDate = new ui::EmptyStateView(tr("All Apps Up to Date"),
                                            QStringLiteral("checkmark.circle"),
                                            tr("You're running the latest versions of all your apps."));
    upToDate->setObjectName(QStringLiteral("allUpToDate"));

    header_->setObjectName(QStringLiteral("updatesHeader"));
    header_->setTextStyle(ui::TextStyle::Headline, true);
    updateAllButton_ =
        new ui::Button(tr("Update All"), ui::Button::Kind::Prominent, ui::Button::ControlSize::Small);
    updateAllButton_->setObjectName(QStringLiteral("updateAllButton"));
    connect(updateAllButton_, &QPushButton::clicked, this, &UpdatesView::updateAll);
    auto* headerRow = new QHBoxLayout;
    headerRow->setContentsMargins(20, 12, 20, 12);
    headerRow->addWidget(header_);
    headerRow->addStretch(1);
    headerRow->addWidget(updateAllButton_);

    list_ = new UpdateListView([this](int row) {
        if (row < model_->rowCount()) {
            const QString slug = model_->update(row).slug;
            if (!updated_.contains(slug) && !updating_.contains(slug))
                updateApp(slug);
        }
    });
    list_->setObjectName(QStringLiteral("updatesList"));
    list_->setFrameShape(QFrame::NoFrame);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setLayoutMode(QListView::Batched);
    list_->setAccessibleName(tr("Available updates"));
    list_->viewport()->setBackgroundRole(QPalette::Base);
    list_->setModel(model_);
    rows_ = new UpdateRow(list_);
    list_->setItemDelegate(rows_);
    connect(
        rows_, &UpdateRow::updateRequested, this, [this](int row) { updateApp(model_->update(row).slug); });

    auto* listPage = new QWidget;
    auto* listColumn = new QVBoxLayout(listPage);
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(0);
    listColumn->addLayout(headerRow);
    listColumn->addWidget(new ui::Divider);
    listColumn->addWidget(list_, 1);

    main_->addWidget(checking);
    main_->addWidget(upToDate);
    main_->addWidget(listPage);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(main_, 1);
    layout->addWidget(banner_);
    if (context_.updateChecker)
        connect(context_.updateChecker, &UpdateChecker::backgroundCheckDone, this, [this](bool checked) {
            if (checked)
                adoptBackgroundCheck();
        });
    // Installs still on their way from an earlier visit show as updating, and are not sent again.
    StoreService& store = context_.storeService;
    for (const QString& slug : store.installingSlugs())
        updating_.insert(slug);
    connect(&store, &StoreService::installStarted, this, [this](const QString& slug) {
        updating_.insert(slug);
        slugChanged(slug);
    });
    connect(&store, &StoreService::installEnded, this, [this](const QString& slug, bool installed) {
        if (context_.storeService.isInstalling(slug))
            return;
        updating_.remove(slug);
        if (installed)
            updated_.insert(slug);
        slugChanged(slug);
    });
    refresh();
}

UpdatesView::~UpdatesView() = default;

const QList<UpdateInfo>& UpdatesView::updates() const
{
    return model_->updates();
}

int UpdatesView::pendingCount() const
{
    int pending = 0;
    for (const UpdateInfo& update : updates())
        pending += updated_.contains(update.slug) ? 0 : 1;
    return pending;
}

void UpdatesView::reload()
{
    checkUpdates();
}

void UpdatesView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        if (context_.updateChecker)
            context_.updateChecker->noteViewed();
        checkUpdates();
    }
}

void UpdatesView::adoptBackgroundCheck()
{
    // The page and the count show one list. While the page checks or updates, its own answers keep
    // them together; otherwise the background's answer is the page's too.
    if (!isVisible() || isLoading_ || isUpdatingAll_ || !updating_.isEmpty() || !context_.updateChecker)
        return;
    updated_.clear();
    model_->setUpdates(context_.updateChecker->updates());
    refresh();
}

void UpdatesView::updateAllOnceChecked()
{
    // A page about to be shown checks first (a new page shows only once control returns).
    if (isLoading_ || !isVisible()) {
        updateAllWhenChecked_ = true;
        return;
    }
    if (!isUpdatingAll_ && pendingCount() > 0)
        updateAll();
}

void UpdatesView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != spinnerTimer_.timerId())
        return QWidget::timerEvent(event);
    rows_->advanceSpinner();
    for (const QString& slug : updating_)
        model_->refreshSlug(slug);
}

void UpdatesView::refresh()
{
    const Main shown = updates().isEmpty() ? (isLoading_ ? Main::Checking : Main::UpToDate) : Main::List;
    shown_ = shown;
    main_->setCurrentIndex(int(shown));
    const int pending = pendingCount();
    header_->setText(tr("%n update(s) available", nullptr, pending));
    updateAllButton_->setVisible(pending >= 2);
    updateAllButton_->setEnabled(!isUpdatingAll_);
    updateAllButton_->setBusy(isUpdatingAll_);
    if (updating_.isEmpty())
        spinnerTimer_.stop();
    else if (!spinnerTimer_.isActive())
        spinnerTimer_.start(40, this);
}

void UpdatesView::setError(std::optional<QString> error)
{
    error_ = std::move(error);
    banner_->setError(error_);
}

void UpdatesView::slugChanged(const QString& slug)
{
    model_->refreshSlug(slug);
    refresh();
}

QCoro::Task<> UpdatesView::checkUpdates()
{
    QPointer<UpdatesView> self(this);
    const quint64 seq = ++checkSeq_;
    isLoading_ = true;
    setError(std::nullopt);
    refresh();
    // The Hub's installed apps as it last listed them; a later entry of the same id wins.
    QMap<QString, QString> installed = UpdateChecker::installedVersions(context_.hubState);
    StoreService& store = context_.storeService;
    std::optional<UpdatesResponse> response;
    std::optional<QString> failure;
    try {
        response = co_await store.checkUpdates(std::move(installed));
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (!ui::isLive(self))
        co_return;
    // A later check owns the list, the banner and the spinner now; this answer is out of date.
    if (seq != checkSeq_)
        co_return;
    if (response) {
        QList<UpdateInfo> updates = UpdateChecker::updatesFrom(*response);
        // The sidebar's and the tray's count come from this same answer.
        if (context_.updateChecker)
            context_.updateChecker->setUpdates(updates);
        model_->setUpdates(std::move(updates));
    } else {
        setError(failure);
    }
    isLoading_ = false;
    refresh();
    if (std::exchange(updateAllWhenChecked_, false) && response && !isUpdatingAll_ && pendingCount() > 0)
        updateAll();
}

QCoro::Task<> UpdatesView::updateApp(QString slug)
{
    QPointer<UpdatesView> self(this);
    if (context_.storeService.isInstalling(slug))
        co_return;
    updating_.insert(slug);
    slugChanged(slug);
    StoreService& store = context_.storeService;
    // The count drops with a success even when the page has gone meanwhile.
    const QPointer<UpdateChecker> checker = context_.updateChecker;
    std::optional<QString> failure;
    try {
        co_await store.installApp(slug);
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (!failure && checker)
        checker->markUpdated(slug);
    if (!ui::isLive(self))
        co_return;
    if (failure)
        setError(tr("Failed to update %1: %2").arg(slug, *failure));
    else
        updated_.insert(slug);
    updating_.remove(slug);
    slugChanged(slug);
}

QCoro::Task<> UpdatesView::updateAll()
{
    QPointer<UpdatesView> self(this);
    isUpdatingAll_ = true;
    refresh();
    StoreService& store = context_.storeService;
    // Read now: the page may be gone by the next step.
    const QPointer<UpdateChecker> checker = context_.updateChecker;
    QStringList slugs;
    QHash<QString, int> doneBefore;
    for (const UpdateInfo& update : updates()) {
        slugs.append(update.slug);
        doneBefore.insert(update.slug, store.installsDone(update.slug));
    }
    for (const QString& slug : slugs) {
        // Installed meanwhile from elsewhere (a later visit to this page, a sheet), or on its way: done.
        if (store.installsDone(slug) > doneBefore.value(slug) || store.isInstalling(slug))
            continue;
        if (ui::isLive(self)) {
            // Read afresh at each step: a row's own button may have updated it meanwhile.
            if (!updated_.contains(slug))
                co_await updateApp(slug);
            continue;
        }
        // The page has gone, but what the user started goes on; only the count hears of the outcome.
        try {
            co_await store.installApp(slug);
            if (checker)
                checker->markUpdated(slug);
        } catch (...) {
        }
    }
    if (!ui::isLive(self))
        co_return;
    isUpdatingAll_ = false;
    refresh();
}

} // namespace zandrel
