#include "hub_log/HubLogWindow.h"

#include "hub_log/HubLogDelegate.h"
#include "hub_log/HubLogLinesView.h"
#include "platform/Platform.h"
#include "preferences/Preferences.h"
#include "ui/EmptyStateView.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>

namespace zandrel {

HubLogWindow::HubLogWindow(Platform& platform, Preferences& preferences, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , platform_(platform)
    , preferences_(preferences)
    , filter_(model_)
    , tail_(platform, model_.capacity())
    , delegate_(new HubLogDelegate(this))
    , search_(new QLineEdit)
    , show_(new QComboBox)
    , count_(new QLabel)
    , pause_(new QPushButton(tr("Pause")))
    , wrap_(new QCheckBox(tr("Wrap lines")))
    , openFolder_(new QPushButton(tr("Open Folder")))
    , clear_(new QPushButton(tr("Clear View")))
    , earlier_(new QPushButton(tr("Load earlier lines")))
    , paused_(new QPushButton)
    , view_(new HubLogLinesView)
    , pages_(new QStackedWidget)
    , missing_(new ui::EmptyStateView(tr("The Hub has not written a log yet"), QStringLiteral("note.text")))
    , unreadable_(new ui::EmptyStateView(tr("The Hub's log cannot be read"),
                                         QStringLiteral("exclamationmark.triangle")))
{
    setObjectName(QStringLiteral("hubLogWindow"));
    setWindowTitle(tr("Hub Log"));
    setMinimumSize(480, 300);
    resize(preferences_.hubLogSize().value_or(QSize(820, 520)));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    buildFilterRow(layout);

    // Above the lines, while the file holds earlier ones and there is room for them.
    earlier_->setObjectName(QStringLiteral("logEarlier"));
    earlier_->setFlat(true);
    connect(earlier_, &QPushButton::clicked, this, [this] { tail_.loadEarlier(model_.room()); });

    view_->setObjectName(QStringLiteral("logLines"));
    view_->setAccessibleName(tr("Hub log lines"));
    filter_.setSourceModel(nullptr);
    view_->setModel(&model_);
    view_->setItemDelegate(delegate_);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(tr("Copy"), view_);
    copy->setObjectName(QStringLiteral("logCopyAction"));
    copy->setShortcuts(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &HubLogWindow::copySelection);
    view_->addAction(copy);
    // The list's own Ctrl+C copies only the current row as shown; this one copies the selection.
    view_->installEventFilter(this);

    // Below the lines, while paused: how many came since, and the way back to them.
    paused_->setObjectName(QStringLiteral("logPaused"));
    paused_->setFlat(true);
    connect(paused_, &QPushButton::clicked, this, &HubLogWindow::jumpToNewest);

    auto* linesPage = new QWidget;
    auto* linesLayout = new QVBoxLayout(linesPage);
    linesLayout->setContentsMargins(0, 0, 0, 0);
    linesLayout->setSpacing(4);
    linesLayout->addWidget(earlier_);
    linesLayout->addWidget(view_, 1);
    linesLayout->addWidget(paused_);
    missing_->setObjectName(QStringLiteral("logMissing"));
    unreadable_->setObjectName(QStringLiteral("logUnreadable"));
    pages_->addWidget(linesPage);
    pages_->addWidget(missing_);
    pages_->addWidget(unreadable_);
    layout->addWidget(pages_, 1);

    // The view shows the lines themselves, or the filter over them while one narrows the view: an
    // unfiltered log then pays nothing for the filter. Either model's changes count only while shown.
    for (QAbstractItemModel* model :
         {static_cast<QAbstractItemModel*>(&model_), static_cast<QAbstractItemModel*>(&filter_)}) {
        connect(model,
                &QAbstractItemModel::rowsAboutToBeRemoved,
                this,
                [this, model](const QModelIndex&, int first, int last) {
                    // While paused, the lines the user reads stay in place when the oldest above them go.
                    if (model == &shown() && !following_ && first == 0)
                        removedAbove_ += rowsHeight(first, last);
                });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this, model] {
            if (model != &shown())
                return;
            if (removedAbove_ > 0) {
                scrolling_ = true;
                QScrollBar* bar = view_->verticalScrollBar();
                bar->setValue(std::max(bar->minimum(), bar->value() - removedAbove_));
                scrolling_ = false;
                removedAbove_ = 0;
            }
            updateCount();
        });
    }
    connect(view_, &HubLogLinesView::rowsArrived, this, &HubLogWindow::rowsArrived);
    connect(&model_, &HubLogModel::aboutToDropOldest, this, [this] { view_->setQuiet(true); });
    connect(&model_, &HubLogModel::droppedOldest, this, [this] { view_->setQuiet(false); });
    // The count and the earlier-lines row follow every line held, shown or not.
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(&model_, signal, this, [this] {
            updateCount();
            updateEarlier();
        });
    }
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        updateCount();
        updateEarlier();
    });
    connect(&filter_, &QAbstractItemModel::layoutChanged, this, &HubLogWindow::updateCount);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, &HubLogWindow::scrolled);
    connect(&tail_, &HubLogTail::linesRead, &model_, &HubLogModel::append);
    connect(&tail_, &HubLogTail::earlierLinesRead, &model_, &HubLogModel::prepend);
    connect(&tail_, &HubLogTail::restarted, &model_, &HubLogModel::addRestart);
    connect(&tail_, &HubLogTail::stateChanged, this, &HubLogWindow::updateState);
    connect(&tail_, &HubLogTail::hasEarlierChanged, this, &HubLogWindow::updateEarlier);

    updateState();
    updateCount();
    updatePaused();
}

HubLogWindow::~HubLogWindow() = default;

QAbstractItemView* HubLogWindow::view() const
{
    return view_;
}

void HubLogWindow::buildFilterRow(QBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    search_->setObjectName(QStringLiteral("logSearch"));
    search_->setPlaceholderText(tr("Search"));
    search_->setAccessibleName(tr("Search the log"));
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        refiltering_ = true;
        filter_.setSearchText(text);
        applyFilter();
    });
    show_->setObjectName(QStringLiteral("logShow"));
    show_->setAccessibleName(tr("Show"));
    show_->addItem(tr("All"), QVariant::fromValue(HubLogFilterModel::Show::All));
    show_->addItem(tr("Errors"), QVariant::fromValue(HubLogFilterModel::Show::Errors));
    show_->addItem(tr("Slow"), QVariant::fromValue(HubLogFilterModel::Show::Slow));
    connect(show_, &QComboBox::currentIndexChanged, this, [this] {
        refiltering_ = true;
        filter_.setShow(show_->currentData().value<HubLogFilterModel::Show>());
        applyFilter();
    });
    count_->setObjectName(QStringLiteral("logCount"));
    pause_->setObjectName(QStringLiteral("logPause"));
    pause_->setCheckable(true);
    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        if (paused)
            setFollowing(false);
        else
            jumpToNewest();
    });
    wrap_->setObjectName(QStringLiteral("logWrap"));
    connect(wrap_, &QCheckBox::toggled, this, [this](bool wrap) {
        delegate_->setWrapping(wrap);
        // Wrapped rows differ in height; unwrapped ones never do, which keeps a long log fast.
        view_->setWrapping(wrap);
        if (following_)
            scrollToNewestSoon();
    });
    openFolder_->setObjectName(QStringLiteral("logOpenFolder"));
    connect(openFolder_, &QPushButton::clicked, this, [this] {
        // The nearest folder there is: before the Hub's first start, its own does not exist yet.
        QDir folder = QFileInfo(tail_.path()).absoluteDir();
        while (!folder.exists() && folder.cdUp()) {
        }
        platform_.revealFolder(folder.absolutePath());
    });
    clear_->setObjectName(QStringLiteral("logClear"));
    connect(clear_, &QPushButton::clicked, this, &HubLogWindow::clearView);

    row->addWidget(search_, 1);
    row->addWidget(show_);
    row->addWidget(count_);
    row->addSpacing(8);
    row->addWidget(pause_);
    row->addWidget(wrap_);
    row->addWidget(openFolder_);
    row->addWidget(clear_);
    layout->addLayout(row);
    setTabOrder(search_, show_);
}

QAbstractItemModel& HubLogWindow::shown()
{
    return filtering_ ? static_cast<QAbstractItemModel&>(filter_) : model_;
}

void HubLogWindow::applyFilter()
{
    const bool filtering = !filter_.searchText().isEmpty() || filter_.show() != HubLogFilterModel::Show::All;
    // Rows come and go while the filter changes, but none of them is new.
    refiltering_ = true;
    if (filtering != filtering_) {
        filtering_ = filtering;
        if (filtering)
            filter_.setSourceModel(&model_);
        QItemSelectionModel* old = view_->selectionModel();
        view_->setModel(&shown());
        delete old;
        if (!filtering)
            filter_.setSourceModel(nullptr);
    }
    refiltering_ = false;
    updateCount();
    if (following_)
        scrollToNewestSoon();
}

void HubLogWindow::rowsArrived(int first, int last)
{
    if (following_) {
        scrollToNewestSoon();
        return;
    }
    // New lines, the filter's own at the end: not earlier lines loaded above, not a changed filter.
    if (!refiltering_ && last == shown().rowCount() - 1 && first > 0) {
        newWhilePaused_ += last - first + 1;
        updatePaused();
    }
    if (first == 0 && !refiltering_) {
        // Loaded above what the user reads: it stays in place.
        scrolling_ = true;
        QScrollBar* bar = view_->verticalScrollBar();
        bar->setValue(bar->value() + rowsHeight(first, last));
        scrolling_ = false;
    }
}

int HubLogWindow::rowsHeight(int first, int last) const
{
    QStyleOptionViewItem option;
    option.initFrom(view_);
    option.widget = view_; // wrapped, a row's height depends on the view's width
    option.font = view_->font();
    option.rect = QRect(0, 0, view_->viewport()->width(), 0);
    if (!delegate_->wrapping())
        return (last - first + 1) * delegate_->sizeHint(option, view_->model()->index(first, 0)).height();
    int height = 0;
    for (int row = first; row <= last; ++row)
        height += delegate_->sizeHint(option, view_->model()->index(row, 0)).height();
    return height;
}

void HubLogWindow::scrollToNewestSoon()
{
    // After the view has laid the new rows out; many arrivals in one turn of the loop, one scroll.
    if (scrollQueued_)
        return;
    scrollQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scrollQueued_ = false;
            if (!following_)
                return;
            scrolling_ = true;
            view_->scrollToBottom();
            scrolling_ = false;
        },
        Qt::QueuedConnection);
}

void HubLogWindow::scrolled(int value)
{
    if (scrolling_)
        return;
    const bool atNewest = value >= view_->verticalScrollBar()->maximum();
    // Scrolling up pauses; scrolling back down to the newest line follows again, unless Pause holds.
    if (!atNewest && following_)
        setFollowing(false);
    else if (atNewest && !following_ && !pause_->isChecked())
        setFollowing(true);
}

void HubLogWindow::setFollowing(bool following)
{
    if (following == following_)
        return;
    following_ = following;
    if (following)
        newWhilePaused_ = 0;
    updatePaused();
}

void HubLogWindow::jumpToNewest()
{
    {
        const QSignalBlocker blocker(pause_);
        pause_->setChecked(false);
    }
    setFollowing(true);
    scrolling_ = true;
    view_->scrollToBottom();
    scrolling_ = false;
    scrollToNewestSoon();
}

void HubLogWindow::updatePaused()
{
    paused_->setVisible(!following_);
    paused_->setText(tr("Paused — %n new line(s)", nullptr, newWhilePaused_));
    paused_->setAccessibleName(paused_->text());
    paused_->setToolTip(tr("Show the newest line and follow the log again"));
}

void HubLogWindow::updateCount()
{
    count_->setText(filtering_ ? filter_.countText()
                               : HubLogFilterModel::countText(model_.lineCount(), model_.lineCount()));
    count_->setAccessibleName(count_->text());
}

void HubLogWindow::updateEarlier()
{
    earlier_->setVisible(tail_.hasEarlier() && model_.room() > 0 &&
                         tail_.state() == HubLogTail::State::Reading);
}

void HubLogWindow::updateState()
{
    const QString path = QDir::toNativeSeparators(tail_.path());
    switch (tail_.state()) {
    case HubLogTail::State::Unreadable:
        unreadable_->setDescription(tail_.problem() + u'\n' + path);
        pages_->setCurrentWidget(unreadable_);
        break;
    case HubLogTail::State::Missing:
        // Lines already shown stay while the file is away (it may be in the middle of being replaced).
        if (model_.rowCount() == 0) {
            missing_->setDescription(path);
            pages_->setCurrentWidget(missing_);
            break;
        }
        [[fallthrough]];
    case HubLogTail::State::Closed:
    case HubLogTail::State::Reading:
        if (tail_.state() != HubLogTail::State::Closed || model_.rowCount() > 0)
            pages_->setCurrentIndex(0);
        break;
    }
    updateEarlier();
}

QString HubLogWindow::selectedText() const
{
    QList<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedIndexes())
        rows.append(filtering_ ? filter_.mapToSource(index).row() : index.row());
    std::sort(rows.begin(), rows.end());
    QByteArray text;
    for (int row : rows) {
        if (model_.isRestart(row))
            continue;
        if (!text.isEmpty())
            text += '\n';
        text += model_.raw(row);
    }
    return QString::fromUtf8(text);
}

bool HubLogWindow::copySelection()
{
    const QString text = selectedText();
    if (text.isEmpty())
        return false;
    QApplication::clipboard()->setText(text);
    return true;
}

void HubLogWindow::clearView()
{
    // The window forgets; the file stays as it is.
    model_.clear();
    tail_.forgetEarlier();
    newWhilePaused_ = 0;
    updatePaused();
    updateCount();
}

void HubLogWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (tail_.state() == HubLogTail::State::Closed) {
        // Shown again after a hide: the file is read afresh, not added to what was there.
        model_.clear();
        tail_.open();
    }
    // At once, so that the first paint already shows the newest lines; and again once the view has
    // settled, in case showing changed its size.
    if (following_) {
        scrolling_ = true;
        view_->scrollToBottom();
        scrolling_ = false;
    }
    scrollToNewestSoon();
}

void HubLogWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Nothing runs for a window nobody sees.
    if (!isMinimized())
        tail_.close();
}

bool HubLogWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HubLogWindow::closeEvent(QCloseEvent* event)
{
    preferences_.setHubLogSize(size());
    QWidget::closeEvent(event);
}

} // namespace zandrel
