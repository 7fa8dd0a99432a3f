#include "store/StoreView.h"

#include "store/CategoryPill.h"
#include "store/StoreAppCard.h"
#include "store/StoreAppDetailSheet.h"
#include "store/StoreAppListModel.h"
#include "store/StoreService.h"
#include "ui/Button.h"
#include "ui/Caps.h"
#include "ui/ClearLayout.h"
#include "ui/EmptyStateView.h"
#include "ui/FocusOrder.h"
#include "ui/Formats.h"
#include "ui/PageLife.h"
#include "ui/Spinner.h"
#include "ui/SymbolView.h"
#include "ui/Theme.h"
#include "wire/Error.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zandrel {

using ui::Tone;

namespace {

constexpr int kColumns = 3;
constexpr int kGridPadding = 20;

// The search box's rounded, faintly filled background.
class SearchBox : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 8, 8);
        painter.fillPath(shape, ui::Theme::textColor(Tone::Quaternary, palette()));
    }
};

// A strip that scrolls sideways, also with an ordinary mouse wheel.
class SidewaysStrip : public QScrollArea {
public:
    SidewaysStrip()
    {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        // Tab goes to the pills themselves, and the strip scrolls to the one focused.
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        const QPoint delta = event->angleDelta();
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(bar->value() - (delta.x() != 0 ? delta.x() : delta.y()) / 2);
        event->accept();
    }
};

// Three flexible columns of cards; cells are sized from the width, so only the cards on screen are
// laid out and painted. Return or Space opens the current card, as a click does; the arrows move
// between cards by their places in the grid.
class StoreGridView : public QListView {
public:
    explicit StoreGridView(std::function<void(int)> open)
        : open_(std::move(open))
    {
        setViewMode(QListView::ListMode);
        setFlow(QListView::LeftToRight);
        setWrapping(true);
        setResizeMode(QListView::Adjust);
        setUniformItemSizes(true);
        setLayoutMode(QListView::Batched);
        setBatchSize(300);
        setMovement(QListView::Static);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setFrameShape(QFrame::NoFrame);
        setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setMouseTracking(true);
        // Half the gap between cards is drawn inside each cell.
        const int margin = kGridPadding - StoreAppCard::cellInset;
        setViewportMargins(margin, margin, margin, margin);
        viewport()->setBackgroundRole(QPalette::Base);
        setAccessibleName(QCoreApplication::translate("StoreGridView", "Apps"));
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QListView::resizeEvent(event);
        const int width = qMax(kColumns * (10 + 2 * StoreAppCard::cellInset), viewport()->width());
        const QSize cell(width / kColumns, StoreAppCard::cardHeight() + 2 * StoreAppCard::cellInset);
        if (gridSize() != cell)
            setGridSize(cell);
    }
    // Up and Down keep to the column, as the eye reads the grid; from a full row down to a shorter
    // last one, the last card is the nearest.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const int rows = model() ? model()->rowCount() : 0;
        const int row = currentIndex().row();
        if (row < 0 || (action != MoveUp && action != MoveDown))
            return QListView::moveCursor(action, modifiers);
        if (action == MoveUp)
            return row >= kColumns ? model()->index(row - kColumns, 0) : currentIndex();
        if (row / kColumns < (rows - 1) / kColumns)
            return model()->index(qMin(row + kColumns, rows - 1), 0);
        return currentIndex();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool opens =
            event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
        if (opens && currentIndex().isValid()) {
            open_(currentIndex().row());
            return;
        }
        QListView::keyPressEvent(event);
    }

private:
    std::function<void(int)> open_;
};

QWidget* paddedAtTop(QWidget* child, int top)
{
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, top, 0, 0);
    column->addWidget(child, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return holder;
}

} // namespace

StoreView::StoreView(const PageContext& context, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , strip_(new SidewaysStrip)
    , content_(new QStackedWidget)
    , model_(new StoreAppListModel(this))
{
    setObjectName(QStringLiteral("storeView"));
    setWindowTitle(tr("Store"));

    auto* pillsHolder = new QWidget;
    pills_ = new QHBoxLayout(pillsHolder);
    pills_->setContentsMargins(20, 0, 20, 8);
    pills_->setSpacing(8);
    strip_->setObjectName(QStringLiteral("categoryStrip"));
    strip_->setWidget(pillsHolder);
    strip_->hide();

    auto* loading = new ui::ProgressLabel(tr("Loading apps\u2026"));
    loading->setObjectName(QStringLiteral("loadingApps"));
    auto* empty = new ui::EmptyStateView(
        tr("No Apps Found"), QStringLiteral("app.dashed"), tr("Try a different search or category"));
    empty->setObjectName(QStringLiteral("noAppsFound"));
    empty->placeAtTop(60);
    unavailable_ = new ui::EmptyStateView(tr("Store Unavailable"), QStringLiteral("wifi.slash"));
    unavailable_->setObjectName(QStringLiteral("storeUnavailable"));
    unavailable_->placeAtTop(40);
    QPushButton* retry = unavailable_->addAction(tr("Retry"));
    retry->setObjectName(QStringLiteral("retryButton"));
    connect(retry, &QPushButton::clicked, this, &StoreView::loadApps);

    grid_ = new StoreGridView([this](int row) { openDetail(row); });
    grid_->setObjectName(QStringLiteral("storeGrid"));
    grid_->setModel(model_);
    grid_->setItemDelegate(new StoreAppCard(grid_));
    connect(grid_, &QListView::clicked, this, [this](const QModelIndex& index) { openDetail(index.row()); });

    content_->addWidget(paddedAtTop(loading, 60));
    content_->addWidget(empty);
    content_->addWidget(grid_);
    content_->addWidget(unavailable_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeSearchRow());
    layout->addWidget(strip_);
    layout->addWidget(content_, 1);

    updateContent();
}

StoreView::~StoreView() = default;

QWidget* StoreView::makeSearchRow()
{
    auto* box = new SearchBox;
    auto* boxRow = new QHBoxLayout(box);
    boxRow->setContentsMargins(8, 8, 8, 8);
    boxRow->setSpacing(6);
    boxRow->addWidget(new ui::SymbolView(QStringLiteral("magnifyingglass"), 14, Tone::Secondary));
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("searchField"));
    search_->setPlaceholderText(tr("Search apps\u2026"));
    search_->setAccessibleName(tr("Search apps"));
    search_->setFrame(false);
    search_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    boxRow->addWidget(search_, 1);

    clear_ = new ui::Button(tr("Clear"), ui::Button::Kind::Bordered, ui::Button::ControlSize::Small);
    clear_->setObjectName(QStringLiteral("clearButton"));
    clear_->hide();

    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(20, 16, 20, 8);
    layout->setSpacing(12);
    layout->addWidget(box, 1);
    layout->addWidget(clear_);

    // Typing fetches nothing; return does.
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        clear_->setVisible(!text.isEmpty());
    });
    connect(search_, &QLineEdit::returnPressed, this, &StoreView::loadApps);
    connect(clear_, &QPushButton::clicked, this, &StoreView::clearSearch);
    return row;
}

const QList<StoreApp>& StoreView::apps() const
{
    return model_->apps();
}

StoreAppDetailSheet* StoreView::detailSheet() const
{
    return sheet_;
}

void StoreView::reload()
{
    appear();
}

void StoreView::focusSearch()
{
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
}

void StoreView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        appear();
}

QCoro::Task<> StoreView::appear()
{
    QPointer<StoreView> self(this);
    const quint64 seq = ++categoriesSeq_;
    StoreService& store = context_.storeService;
    std::optional<QList<StoreCategory>> fetched;
    try {
        fetched = co_await store.getCategories();
    } catch (...) {
        // Silent: the strip just stays hidden.
    }
    if (!ui::isLive(self))
        co_return;
    // Shown again meanwhile: that showing fetches and loads in its turn.
    if (seq != categoriesSeq_)
        co_return;
    if (fetched) {
        categories_ = std::move(*fetched);
        rebuildPills();
    }
    co_await loadApps();
}

QCoro::Task<> StoreView::loadApps()
{
    QPointer<StoreView> self(this);
    const quint64 seq = ++loadSeq_;
    isLoading_ = true;
    error_.reset();
    updateContent();
    const QString text = search_->text();
    // The search text is sent as typed; an empty one is no search.
    const std::optional<QString> search = text.isEmpty() ? std::nullopt : std::optional(text);
    StoreService& store = context_.storeService;
    std::optional<QList<StoreApp>> loaded;
    std::optional<QString> failure;
    try {
        loaded = co_await store.getApps(selectedCategory_, search);
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (!ui::isLive(self))
        co_return;
    // A later load owns the grid, the error and the spinner now; this answer is out of date.
    if (seq != loadSeq_)
        co_return;
    if (loaded)
        model_->setApps(std::move(*loaded));
    else
        error_ = failure;
    isLoading_ = false;
    updateContent();
}

void StoreView::updateContent()
{
    Content shown = Content::Grid;
    if (isLoading_ && apps().isEmpty())
        shown = Content::Loading;
    else if (error_)
        shown = Content::Unavailable;
    else if (apps().isEmpty())
        shown = Content::Empty;
    if (error_)
        unavailable_->setDescription(*error_);
    shown_ = shown;
    content_->setCurrentIndex(int(shown));
}

void StoreView::rebuildPills()
{
    ui::clearLayout(pills_);
    pillSlugs_.clear();
    const auto add = [this](const QString& name, const QString& icon, std::optional<QString> slug) {
        auto* pill = new CategoryPill(name, icon);
        connect(pill, &QAbstractButton::clicked, this, [this, slug] { selectCategory(slug); });
        pills_->addWidget(pill);
        pillSlugs_.append({pill, std::move(slug)});
    };
    add(tr("All"), QStringLiteral("square.grid.2x2"), std::nullopt);
    // One widget per pill: a Hub that sends thousands of categories gets the first hundred.
    for (const StoreCategory& category : categories_.mid(0, ui::cap::strip))
        add(ui::shortened(category.name, ui::cap::label), category.icon, category.slug);
    pills_->addStretch(1);
    strip_->setFixedHeight(pillSlugs_.first().first->sizeHint().height() + 8);
    strip_->setVisible(!categories_.isEmpty());
    updatePills();
    // The pills arrive after the grid was built: Tab still reads search row, pills, grid.
    ui::orderFocusChain(this);
}

void StoreView::updatePills()
{
    for (const auto& [pill, slug] : pillSlugs_)
        pill->setSelected(slug == selectedCategory_);
}

void StoreView::selectCategory(std::optional<QString> slug)
{
    selectedCategory_ = std::move(slug);
    updatePills();
    loadApps();
}

void StoreView::clearSearch()
{
    search_->clear();
    loadApps();
}

void StoreView::openDetail(int row)
{
    if (row < 0 || row >= apps().size() || sheet_)
        return;
    openSheet(apps().at(row).slug)->open();
}

bool StoreView::openLinkedApp(const QString& slug)
{
    if (sheet_) {
        // What the user opened or started goes on undisturbed; an earlier link gives way to the newer.
        if (!sheet_->isOpenedByLink() || sheet_->isInstalling())
            return false;
        sheet_->reject();
    }
    StoreAppDetailSheet* sheet = openSheet(slug);
    sheet->setOpenedByLink(context_.onLinkInstallFinished);
    sheet->open();
    return true;
}

StoreAppDetailSheet* StoreView::openSheet(const QString& slug)
{
    auto* sheet = new StoreAppDetailSheet(slug, context_, this);
    sheet_ = sheet;
    connect(sheet, &QDialog::finished, this, [this, sheet] {
        ui::retire(sheet);
        sheet->deleteLater();
        if (sheet_ == sheet)
            sheet_.clear();
    });
    return sheet;
}

} // namespace zandrel
