#include "settings/FallbackChainView.h"

#include "settings/FallbackChainModel.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zandrel {

using ui::TextStyle;
using ui::Tone;

namespace {

// A row: the drag handle, the position, the provider's status colour and its name.
class FallbackRow : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {0, FallbackChainView::rowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QPalette& palette = option.palette;
        if (option.state.testFlag(QStyle::State_Selected) || option.state.testFlag(QStyle::State_HasFocus))
            painter->fillRect(option.rect, ui::Theme::textColor(Tone::Quaternary, palette));
        const QRect row = option.rect.adjusted(6, 0, -6, 0);
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(row.left(),
                            row.center().y() - 7,
                            ui::SymbolTable::pixmap(QStringLiteral("line.3.horizontal"),
                                                    {14, 14},
                                                    ui::Theme::textColor(Tone::Tertiary, palette),
                                                    dpr));
        QFont digits = ui::Theme::font(TextStyle::Caption);
        digits.setFamily(QStringLiteral("monospace"));
        painter->setFont(digits);
        painter->setPen(ui::Theme::textColor(Tone::Secondary, palette));
        painter->drawText(QRect(row.left() + 22, row.top(), 30, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(FallbackChainModel::PositionRole).toString());
        painter->setPen(Qt::NoPen);
        painter->setBrush(ui::Theme::color(
            static_cast<ui::NamedColor>(index.data(FallbackChainModel::ColorRole).toInt()), palette));
        painter->drawEllipse(QRectF(row.left() + 54, row.center().y() - 4, 8, 8));
        painter->setFont(ui::Theme::font(TextStyle::Body));
        painter->setPen(palette.color(QPalette::Text));
        painter->drawText(QRect(row.left() + 70, row.top(), row.width() - 70, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

FallbackChainView::FallbackChainView(QWidget* parent)
    : QListView(parent)
{
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::NoFrame);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new FallbackRow(this));
}

void FallbackChainView::fitRows(int rows)
{
    setFixedHeight(qMin(rows, rowsShown) * rowHeight + 8);
}

void FallbackChainView::startDrag(Qt::DropActions actions)
{
    dragging_ = true;
    QListView::startDrag(actions);
    dragging_ = false;
    if (dragEnded)
        dragEnded();
}

void FallbackChainView::dropEvent(QDropEvent* event)
{
    const QModelIndex from = currentIndex();
    if (event->source() != this || !from.isValid()) {
        event->ignore();
        return;
    }
    const QModelIndex target = indexAt(event->position().toPoint());
    int to = model()->rowCount();
    if (target.isValid())
        to = target.row() + (dropIndicatorPosition() == QAbstractItemView::BelowItem ? 1 : 0);
    if (model()->moveRow({}, from.row(), {}, to))
        setCurrentIndex(model()->index(to > from.row() ? to - 1 : to, 0));
    // The model moved the row itself: the drag must not remove anything afterwards.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
}

void FallbackChainView::keyPressEvent(QKeyEvent* event)
{
    const int row = currentIndex().row();
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (event->modifiers().testFlag(Qt::AltModifier) && step != 0 && row >= 0) {
        const int target = row + step;
        if (target >= 0 && target < model()->rowCount() &&
            model()->moveRow({}, row, {}, step > 0 ? target + 1 : target))
            setCurrentIndex(model()->index(target, 0));
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace zandrel
