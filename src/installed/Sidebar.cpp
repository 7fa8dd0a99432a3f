#include "installed/Sidebar.h"

#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

namespace zandrel {

using ui::TextStyle;
using ui::Theme;
using ui::Tone;

namespace {

constexpr int kIconSize = 16;
constexpr int kRowInset = 8;    // the selection's distance from the sidebar's edges
constexpr int kTextIndent = 18; // where headers, notes and icons start

// Draws the rows as a source list: small secondary headers, rounded selection, accent symbols.
class SidebarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        switch (rowType(index)) {
        case Sidebar::RowType::Header:
            return {option.rect.width(), 28};
        case Sidebar::RowType::Note:
            return {option.rect.width(), 22};
        case Sidebar::RowType::Item:
            return {option.rect.width(), 28};
        case Sidebar::RowType::Gap:
            return {option.rect.width(), 10};
        }
        return {option.rect.width(), 28};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // Headers and notes are not selectable rows, but they are not disabled text either.
        QPalette palette = option.palette;
        palette.setCurrentColorGroup(QPalette::Active);
        const QString text = index.data(Qt::DisplayRole).toString();
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        switch (rowType(index)) {
        case Sidebar::RowType::Header: {
            painter->setFont(Theme::font(TextStyle::Subheadline, true));
            painter->setPen(Theme::textColor(Tone::Secondary, palette));
            const QRect area = option.rect.adjusted(kTextIndent - 6, 0, -kRowInset, -4);
            painter->drawText(area, Qt::AlignLeft | Qt::AlignBottom, text);
            break;
        }
        case Sidebar::RowType::Note: {
            painter->setFont(Theme::font(TextStyle::Caption));
            painter->setPen(Theme::textColor(Tone::Secondary, palette));
            painter->drawText(
                option.rect.adjusted(kTextIndent, 0, -kRowInset, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
            break;
        }
        case Sidebar::RowType::Item:
            paintItem(painter, option, index, text);
            break;
        case Sidebar::RowType::Gap:
            break;
        }
        painter->restore();
    }

private:
    static Sidebar::RowType rowType(const QModelIndex& index)
    {
        return static_cast<Sidebar::RowType>(index.data(Sidebar::RowTypeRole).toInt());
    }

    static void paintItem(QPainter* painter,
                          const QStyleOptionViewItem& option,
                          const QModelIndex& index,
                          const QString& text)
    {
        const QPalette& palette = option.palette;
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QRect row = option.rect.adjusted(kRowInset, 1, -kRowInset, -1);
        if (selected || option.state.testFlag(QStyle::State_MouseOver)) {
            QPainterPath shape;
            shape.addRoundedRect(row, 6, 6);
            painter->fillPath(shape,
                              selected ? palette.color(QPalette::Highlight)
                                       : Theme::textColor(Tone::Quaternary, palette));
        }
        const QColor symbolColor =
            selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Highlight);
        const QString symbol = index.data(Sidebar::SymbolRole).toString();
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPoint iconAt(option.rect.left() + kTextIndent, row.center().y() - kIconSize / 2 + 1);
        painter->drawPixmap(iconAt,
                            ui::SymbolTable::pixmap(symbol, {kIconSize, kIconSize}, symbolColor, dpr));

        QRect textArea(
            iconAt.x() + kIconSize + 8, row.top(), row.right() - iconAt.x() - kIconSize - 12, row.height());
        if (const int badge = index.data(Sidebar::BadgeRole).toInt(); badge > 0) {
            // A capsule in the accent colour at the row's end; on the selection, the colours swap.
            painter->setFont(Theme::font(TextStyle::Caption, true));
            const QString count = QLocale().toString(badge);
            const int width = std::max(20, painter->fontMetrics().horizontalAdvance(count) + 12);
            const QRect capsule(row.right() - 6 - width, row.center().y() - 9, width, 18);
            QPainterPath shape;
            shape.addRoundedRect(capsule, 9, 9);
            painter->fillPath(shape,
                              selected ? palette.color(QPalette::HighlightedText)
                                       : palette.color(QPalette::Highlight));
            painter->setPen(selected ? palette.color(QPalette::Highlight)
                                     : palette.color(QPalette::HighlightedText));
            painter->drawText(capsule, Qt::AlignCenter, count);
            textArea.setRight(capsule.left() - 6);
        }
        painter->setFont(Theme::font(TextStyle::Body));
        painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
        painter->drawText(textArea,
                          Qt::AlignLeft | Qt::AlignVCenter,
                          painter->fontMetrics().elidedText(text, Qt::ElideRight, textArea.width()));
    }
};

} // namespace

Sidebar::Sidebar(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("sidebar"));
    setAccessibleName(tr("Sections"));
    setItemDelegate(new SidebarDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    setUniformItemSizes(false);
    viewport()->setBackgroundRole(QPalette::Window);
    setMinimumWidth(160);
    connect(this, &QListWidget::itemSelectionChanged, this, &Sidebar::onSelectionChanged);
    rebuild();
}

void Sidebar::setInstalledApps(const QList<InstalledApp>& apps)
{
    if (apps == apps_)
        return;
    apps_ = apps;
    rebuild();
}

void Sidebar::setSelection(const std::optional<SidebarItem>& selection)
{
    selection_ = selection;
    const QSignalBlocker blocker(this);
    clearSelection();
    const int row = selection ? rowOf(*selection) : -1;
    if (row >= 0)
        setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    viewport()->update();
}

std::optional<SidebarItem> Sidebar::itemAt(int row) const
{
    const QListWidgetItem* entry = item(row);
    if (!entry || static_cast<RowType>(entry->data(RowTypeRole).toInt()) != RowType::Item)
        return std::nullopt;
    return SidebarItem{static_cast<SidebarItem::Kind>(entry->data(KindRole).toInt()),
                       entry->data(AppNameRole).toString()};
}

int Sidebar::rowOf(const SidebarItem& item) const
{
    for (int row = 0; row < count(); ++row) {
        if (itemAt(row) == item)
            return row;
    }
    return -1;
}

QListWidgetItem* Sidebar::addHeader(const QString& title)
{
    auto* entry = new QListWidgetItem(title, this);
    entry->setFlags(Qt::NoItemFlags);
    entry->setData(RowTypeRole, int(RowType::Header));
    return entry;
}

void Sidebar::addNote(const QString& text)
{
    auto* entry = new QListWidgetItem(text, this);
    entry->setFlags(Qt::NoItemFlags);
    entry->setData(RowTypeRole, int(RowType::Note));
}

void Sidebar::addGap()
{
    auto* entry = new QListWidgetItem(this);
    entry->setFlags(Qt::NoItemFlags);
    entry->setData(RowTypeRole, int(RowType::Gap));
}

void Sidebar::addItem(const QString& title, const QString& symbol, const SidebarItem& item)
{
    auto* entry = new QListWidgetItem(title, this);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    entry->setData(RowTypeRole, int(RowType::Item));
    entry->setData(KindRole, int(item.kind));
    entry->setData(AppNameRole, item.appName);
    entry->setData(SymbolRole, symbol);
}

void Sidebar::rebuild()
{
    const QSignalBlocker blocker(this);
    clear();
    QListWidgetItem* myApps = addHeader(tr("My Apps"));
    myApps->setData(OpensMyAppsRole, true);
    myApps->setToolTip(tr("Show all installed apps"));
    if (apps_.isEmpty())
        addNote(tr("No apps installed"));
    for (const InstalledApp& app : apps_)
        addItem(app.name, ui::iconForApp(app.name), SidebarItem::app(app.name));
    addGap();
    addHeader(tr("Store"));
    addItem(tr("Browse"), QStringLiteral("bag"), SidebarItem::section(SidebarItem::Kind::Store));
    addItem(
        tr("Updates"), QStringLiteral("arrow.down.circle"), SidebarItem::section(SidebarItem::Kind::Updates));
    addItem(tr("Account"),
            QStringLiteral("person.crop.circle"),
            SidebarItem::section(SidebarItem::Kind::Account));
    addGap();
    addItem(tr("Settings"), QStringLiteral("gear"), SidebarItem::section(SidebarItem::Kind::Settings));
    showUpdateCount();
    setSelection(selection_);
}

void Sidebar::setUpdateCount(int count)
{
    if (count == updateCount_)
        return;
    updateCount_ = count;
    showUpdateCount();
}

void Sidebar::showUpdateCount()
{
    const int row = rowOf(SidebarItem::section(SidebarItem::Kind::Updates));
    if (row < 0)
        return;
    QListWidgetItem* entry = item(row);
    entry->setData(BadgeRole, updateCount_);
    // A screen reader hears the count with the name.
    entry->setData(Qt::AccessibleTextRole,
                   updateCount_ > 0 ? tr("Updates, %n available", nullptr, updateCount_) : QVariant());
}

void Sidebar::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    const QListWidgetItem* entry = QListWidget::itemAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && entry && entry->data(OpensMyAppsRole).toBool())
        Q_EMIT myAppsChosen();
}

void Sidebar::onSelectionChanged()
{
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return;
    if (const std::optional<SidebarItem> chosen = itemAt(row(selected.first()))) {
        selection_ = chosen;
        Q_EMIT itemChosen(*chosen);
    }
}

} // namespace zandrel
