#include "settings/AuditLogView.h"

#include "settings/PermissionsState.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QAbstractListModel>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zandrel {

using ui::TextStyle;
using ui::Theme;
using ui::Tone;

class AuditLogModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    QList<AuditEntry> entries;

    void set(QList<AuditEntry> list)
    {
        beginResetModel();
        entries = std::move(list);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(entries.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= entries.size())
            return {};
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return AuditLogView::textsFor(entries.at(index.row())).mid(1).join(u' ');
        // The symbol says it to the eye; the description says it to the ear.
        if (role == Qt::AccessibleDescriptionRole)
            return entries.at(index.row()).allowed.value_or(false) ? AuditLogView::tr("Allowed")
                                                                   : AuditLogView::tr("Denied");
        return {};
    }
};

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
        const auto* model = static_cast<const AuditLogModel*>(index.model());
        if (index.row() >= model->entries.size())
            return;
        const QStringList texts = AuditLogView::textsFor(model->entries.at(index.row()));
        const QPalette& palette = option.palette;
        const QRect row = option.rect.adjusted(0, kPadY, 0, -kPadY);
        const QFont caption = Theme::font(TextStyle::Caption);
        const QFontMetrics metrics(caption);
        painter->save();
        if (option.state.testFlag(QStyle::State_HasFocus))
            painter->fillRect(option.rect, Theme::textColor(Tone::Quaternary, palette));

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
        painter->setPen(palette.color(QPalette::Text));
        painter->drawText(QRect(x, row.top(), 70, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(medium).elidedText(texts[1], Qt::ElideRight, 70));
        x += 70 + kSpacing;
        painter->setFont(caption);
        painter->setPen(Theme::textColor(Tone::Secondary, palette));
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
            painter->setPen(Theme::textColor(Tone::Tertiary, palette));
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
{
    setObjectName(QStringLiteral("auditLog"));
    setModel(model_);
    setItemDelegate(new AuditRow(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSpacing(0);
    setAccessibleName(QStringLiteral("Recent audit log"));
    viewport()->setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void AuditLogView::setEntries(QList<AuditEntry> entries)
{
    model_->set(std::move(entries));
    setFixedHeight(sizeHint().height());
}

const QList<AuditEntry>& AuditLogView::entries() const
{
    return model_->entries;
}

QSize AuditLogView::sizeHint() const
{
    const qsizetype rows = model_->entries.size();
    return {QListView::sizeHint().width(), int(qMin<qsizetype>(maxHeight, rows * rowHeight() + 2))};
}

QStringList AuditLogView::textsFor(const AuditEntry& entry)
{
    const QString what = entry.actionName ? *entry.actionName : entry.endpoint.value_or(QString());
    return {entry.allowed.value_or(false) ? QStringLiteral("checkmark.circle")
                                          : QStringLiteral("xmark.circle"),
            entry.app.value_or(QString()),
            entry.action.value_or(QString()),
            what,
            PermissionsState::auditTimeText(entry.timestamp).value_or(QString()).left(40)};
}

} // namespace zandrel
