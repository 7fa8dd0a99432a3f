#include "settings/AuditLogView.h"

#include "settings/AuditExport.h"
#include "settings/AuditLogModel.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zandrel {

using ui::TextStyle;
using ui::Theme;
using ui::Tone;

namespace {

constexpr int kPadY = 2;
constexpr int kSpacing = 8;

int rowHeight()
{
    return QFontMetrics(Theme::font(TextStyle::Caption)).height() + 2 * kPadY + 2;
}

class AuditRow : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), rowHeight()};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QStringList texts = index.data(AuditLogModel::TextsRole).toStringList();
        if (texts.size() < 5)
            return;
        const QPalette& palette = option.palette;
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QRect row = option.rect.adjusted(0, kPadY, 0, -kPadY);
        const QFont caption = Theme::font(TextStyle::Caption);
        const QFontMetrics metrics(caption);
        painter->save();
        if (selected)
            painter->fillRect(option.rect, palette.color(QPalette::Highlight));
        else if (option.state.testFlag(QStyle::State_HasFocus))
            painter->fillRect(option.rect, Theme::textColor(Tone::Quaternary, palette));
        // On the selection colour every text takes the colour made for it.
        const auto tone = [&](Tone wanted) {
            return selected ? palette.color(QPalette::HighlightedText) : Theme::textColor(wanted, palette);
        };

        const bool allowed = texts[0] == u"checkmark.circle";
        const int side = metrics.height() - 2;
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        int x = row.left() + 4;
        painter->drawPixmap(x,
                            row.center().y() - side / 2,
                            ui::SymbolTable::pixmap(
                                texts[0],
                                {side, side},
                                Theme::color(allowed ? ui::NamedColor::Green : ui::NamedColor::Red, palette),
                                dpr));
        x += side + kSpacing;
        QFont medium = caption;
        medium.setWeight(QFont::Medium);
        painter->setFont(medium);
        painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
        painter->drawText(QRect(x, row.top(), 70, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(medium).elidedText(texts[1], Qt::ElideRight, 70));
        x += 70 + kSpacing;
        painter->setFont(caption);
        painter->setPen(tone(Tone::Secondary));
        painter->drawText(QRect(x, row.top(), 50, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(texts[2], Qt::ElideRight, 50));
        x += 50 + kSpacing;

        QFont time = Theme::font(TextStyle::Caption2);
        time.setFamily(QStringLiteral("monospace"));
        time.setStyleHint(QFont::Monospace);
        const QFontMetrics timeMetrics(time);
        const int timeWidth = texts[4].isEmpty() ? 0 : timeMetrics.horizontalAdvance(texts[4]) + 4;
        const int what = qMax(0, row.right() - 4 - timeWidth - kSpacing - x);
        painter->drawText(QRect(x, row.top(), what, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(texts[3].left(500), Qt::ElideRight, what));
        if (timeWidth > 0) {
            painter->setFont(time);
            painter->setPen(tone(Tone::Tertiary));
            painter->drawText(QRect(row.right() - 4 - timeWidth, row.top(), timeWidth, row.height()),
                              Qt::AlignRight | Qt::AlignVCenter,
                              texts[4]);
        }
        painter->restore();
    }
};

} // namespace

AuditLogView::AuditLogView(QWidget* parent)
    : QListView(parent)
    , model_(new AuditLogModel(this))
    , filter_(new AuditFilterModel(this))
{
    setObjectName(QStringLiteral("auditLog"));
    filter_->setSourceModel(model_);
    setModel(filter_);
    setItemDelegate(new AuditRow(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSpacing(0);
    setAccessibleName(tr("Recent audit log"));
    viewport()->setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(filter_, signal, this, &AuditLogView::fitHeight);
    connect(filter_, &QAbstractItemModel::modelReset, this, &AuditLogView::fitHeight);
    connect(filter_, &QAbstractItemModel::layoutChanged, this, &AuditLogView::fitHeight);
    fitHeight();
}

void AuditLogView::setEntries(QList<AuditEntry> entries)
{
    model_->setEntries(std::move(entries));
}

const QList<AuditEntry>& AuditLogView::entries() const
{
    return model_->entries();
}

QList<AuditEntry> AuditLogView::entriesAt(const QModelIndexList& rows) const
{
    QList<AuditEntry> found;
    found.reserve(rows.size());
    for (const QModelIndex& row : rows) {
        const QModelIndex source = filter_->mapToSource(row);
        if (source.isValid() && source.row() < model_->entries().size())
            found.append(model_->entries().at(source.row()));
    }
    return found;
}

QList<AuditEntry> AuditLogView::shownEntries() const
{
    QModelIndexList rows;
    for (int row = 0; row < filter_->rowCount(); ++row)
        rows.append(filter_->index(row, 0));
    return entriesAt(rows);
}

QList<AuditEntry> AuditLogView::selectedEntries() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    // In the order shown, whatever order they were picked in.
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) {
        return a.row() < b.row();
    });
    return entriesAt(rows);
}

bool AuditLogView::copySelection()
{
    const QList<AuditEntry> chosen = selectedEntries();
    if (chosen.isEmpty())
        return false;
    QApplication::clipboard()->setText(AuditExport::text(chosen));
    return true;
}

void AuditLogView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void AuditLogView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("Copy"), this, &AuditLogView::copySelection);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(selectionModel()->hasSelection());
    menu.addAction(tr("Select All"), this, &QAbstractItemView::selectAll);
    menu.exec(event->globalPos());
}

void AuditLogView::fitHeight()
{
    setFixedHeight(sizeHint().height());
    Q_EMIT shownCountChanged();
}

QSize AuditLogView::sizeHint() const
{
    const int rows = filter_->rowCount();
    return {QListView::sizeHint().width(), qMin(maxHeight, rows * rowHeight() + 2)};
}

QStringList AuditLogView::textsFor(const AuditEntry& entry)
{
    const QString what = entry.target();
    return {entry.allowed.value_or(false) ? QStringLiteral("checkmark.circle")
                                          : QStringLiteral("xmark.circle"),
            entry.app.value_or(QString()),
            entry.action.value_or(QString()),
            what,
            AuditLogModel::whenText(entry.timestamp)};
}

} // namespace zandrel
