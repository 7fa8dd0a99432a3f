#include "hub_log/HubLogLinesView.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace zandrel {

namespace {

// The rows' heights come from the lines alone, never from a header's text, which is not shown.
class RowHeights : public QHeaderView {
public:
    using QHeaderView::QHeaderView;

protected:
    QSize sectionSizeFromContents(int) const override { return {}; }
};

} // namespace

HubLogLinesView::HubLogLinesView(QWidget* parent)
    : QTableView(parent)
{
    setVerticalHeader(new RowHeights(Qt::Vertical, this));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab leaves the lines for the next control, as it does from a list.
    setTabKeyNavigation(false);
    setWrapping(false);
}

int HubLogLinesView::lineHeight() const
{
    return QFontMetrics(font()).height() + 2;
}

void HubLogLinesView::setWrapping(bool wrap)
{
    setWordWrap(wrap);
    QHeaderView* rows = verticalHeader();
    {
        // Every row one line high again; told once below rather than row by row.
        const QSignalBlocker quiet(rows);
        rows->setMinimumSectionSize(lineHeight());
        rows->setDefaultSectionSize(lineHeight());
    }
    if (wrap)
        fitAllRows();
    updateGeometries();
    viewport()->update();
}

void HubLogLinesView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    fitAllRows();
}

void HubLogLinesView::fitAllRows()
{
    fittedWidth_ = viewport()->width();
    fitRows(0, model() ? model()->rowCount() - 1 : -1);
}

void HubLogLinesView::fitRows(int first, int last)
{
    if (!wordWrap() || !model() || first > last)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = QRect(0, 0, viewport()->width(), 0);
    QHeaderView* rows = verticalHeader();
    {
        // Told once below, rather than row by row. Without updates the header also skips finding
        // each row's position for a repaint, which would make a pass over every row quadratic.
        const QSignalBlocker quiet(rows);
        rows->setUpdatesEnabled(false);
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = model()->index(row, 0);
            rows->resizeSection(row, itemDelegateForIndex(index)->sizeHint(option, index).height());
        }
        rows->setUpdatesEnabled(true);
    }
    updateGeometries();
    viewport()->update();
}

void HubLogLinesView::fitAllRowsSoon()
{
    if (fitQueued_)
        return;
    fitQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            fitQueued_ = false;
            if (wordWrap() && viewport()->width() != fittedWidth_)
                fitAllRows();
        },
        Qt::QueuedConnection);
}

void HubLogLinesView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QTableView::rowsInserted(parent, start, end);
    // Only the rows that came: the others keep their heights.
    fitRows(start, end);
    // Told after the view has them, whichever was connected to the model first.
    Q_EMIT rowsArrived(start, end);
}

bool HubLogLinesView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize && wordWrap())
        fitAllRowsSoon();
    return QTableView::viewportEvent(event);
}

void HubLogLinesView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (!quiet_) {
        QTableView::currentChanged(current, previous);
        return;
    }
    setAutoScroll(false);
    QTableView::currentChanged(current, previous);
    setAutoScroll(true);
}

QModelIndex HubLogLinesView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and the last line, as in a list.
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void HubLogLinesView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setWrapping(wordWrap());
}

} // namespace zandrel
