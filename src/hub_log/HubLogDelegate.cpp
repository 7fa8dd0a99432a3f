#include "hub_log/HubLogDelegate.h"

#include "hub_log/HubLogModel.h"
#include "ui/Theme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>

namespace zandrel {

namespace {

constexpr int padding = 6;
constexpr int gap = 12;
constexpr int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;

// One line of text at the left of the area, elided when too long. Drawn at a point rather than in a
// rectangle: that skips the line-breaking layout, which a screenful of rows would pay every paint.
void drawLine(QPainter* painter, const QRect& area, const QFontMetrics& metrics, const QString& text)
{
    const bool fits = text.size() * qsizetype(metrics.maxWidth()) <= area.width();
    painter->drawText(QPoint(area.left(), area.top() + metrics.ascent()),
                      fits ? text : metrics.elidedText(text, Qt::ElideRight, area.width()));
}

} // namespace

HubLogDelegate::HubLogDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{}

QColor HubLogDelegate::statusColor(int status, const QPalette& palette)
{
    if (status >= 500)
        return ui::Theme::color(ui::NamedColor::Red, palette);
    if (status >= 400)
        return ui::Theme::color(ui::NamedColor::Orange, palette);
    return palette.color(QPalette::Text);
}

HubLogDelegate::Columns HubLogDelegate::columns(const QRect& rect, const QFontMetrics& metrics)
{
    const int method = metrics.horizontalAdvance(QStringLiteral("OPTIONS"));
    const int status = metrics.horizontalAdvance(QStringLiteral("000"));
    const int time = metrics.horizontalAdvance(QStringLiteral("000000 ms"));
    Columns c;
    c.method = QRect(rect.left() + padding, rect.top(), method, rect.height());
    c.time = QRect(rect.right() - padding - time, rect.top(), time, rect.height());
    c.status = QRect(c.time.left() - gap - status, rect.top(), status, rect.height());
    c.path = QRect(c.method.right() + gap,
                   rect.top(),
                   std::max(0, c.status.left() - gap - c.method.right() - gap),
                   rect.height());
    return c;
}

void HubLogDelegate::paint(QPainter* painter,
                           const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    opt.text.clear();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor text = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QFontMetrics metrics(opt.font);
    const QRect rect = opt.rect.adjusted(0, 1, 0, -1);
    const auto kind = index.data(HubLogModel::KindRole).value<HubLogModel::Kind>();

    if (kind == HubLogModel::Kind::Restarted) {
        const QString label = index.data(Qt::DisplayRole).toString();
        const QColor secondary = ui::Theme::textColor(ui::Tone::Secondary, opt.palette);
        const int width = metrics.horizontalAdvance(label) + 2 * gap;
        const int middle = rect.center().y();
        painter->setPen(ui::Theme::textColor(ui::Tone::Quaternary, opt.palette));
        painter->drawLine(rect.left() + padding, middle, rect.center().x() - width / 2, middle);
        painter->drawLine(rect.center().x() + width / 2, middle, rect.right() - padding, middle);
        painter->setPen(selected ? text : secondary);
        painter->drawText(rect, Qt::AlignCenter, label);
    } else if (kind == HubLogModel::Kind::Request) {
        const Columns c = columns(rect, metrics);
        const int status = index.data(HubLogModel::StatusRole).toInt();
        const bool slow = index.data(HubLogModel::SlowRole).toBool();
        painter->setPen(text);
        drawLine(painter, c.method, metrics, index.data(HubLogModel::MethodRole).toString());
        const QString path = index.data(HubLogModel::PathRole).toString();
        if (wrap_)
            painter->drawText(c.path, textFlags, path);
        else
            drawLine(painter, c.path, metrics, path);
        painter->setPen(selected ? text : statusColor(status, opt.palette));
        drawLine(painter, c.status, metrics, QString::number(status));
        QFont timeFont = opt.font;
        timeFont.setBold(slow);
        painter->setFont(timeFont);
        painter->setPen(selected || !slow ? text : ui::Theme::color(ui::NamedColor::Orange, opt.palette));
        const QString time = tr("%1 ms").arg(index.data(HubLogModel::MillisecondsRole).toLongLong());
        const QFontMetrics timeMetrics(timeFont);
        painter->drawText(QPoint(c.time.right() + 1 - timeMetrics.horizontalAdvance(time),
                                 c.time.top() + timeMetrics.ascent()),
                          time);
    } else {
        painter->setPen(text);
        const QRect area = rect.adjusted(padding, 0, -padding, 0);
        const QString line = index.data(Qt::DisplayRole).toString();
        if (wrap_)
            painter->drawText(area, textFlags, line);
        else
            drawLine(painter, area, metrics, line);
    }
    painter->restore();
}

QSize HubLogDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics metrics(option.font);
    const int line = metrics.height() + 2;
    // No width of its own: a row is as wide as the view, so the right-hand columns stay in sight.
    if (!wrap_ || !option.widget)
        return {0, line};
    // Wrapped: counted rather than laid out, since the font is fixed-pitch and every row is asked
    // for its height whenever lines come.
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const int width = view ? view->viewport()->width() : option.widget->width();
    const auto kind = index.data(HubLogModel::KindRole).value<HubLogModel::Kind>();
    int areaWidth = 0;
    int characters = 0;
    if (kind == HubLogModel::Kind::Request) {
        areaWidth = columns(QRect(0, 0, width, line), metrics).path.width();
        characters = index.data(HubLogModel::PathLengthRole).toInt();
    } else if (kind == HubLogModel::Kind::Text) {
        areaWidth = width - 2 * padding;
        characters = index.data(HubLogModel::ShownLengthRole).toInt();
    }
    const int perLine = std::max(1, areaWidth / std::max(1, metrics.horizontalAdvance(QLatin1Char('m'))));
    const int lines = std::max(1, (characters + perLine - 1) / perLine);
    return {0, lines * metrics.height() + 2};
}

} // namespace zandrel
