#include "hub_log/HubLogDelegate.h"

#include "hub_log/HubLogModel.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QPainter>

namespace zandrel {

namespace {

constexpr int padding = 6;
constexpr int gap = 12;
constexpr int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;

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
        painter->drawText(
            c.method, Qt::AlignLeft | Qt::AlignTop, index.data(HubLogModel::MethodRole).toString());
        const QString path = index.data(HubLogModel::PathRole).toString();
        if (wrap_)
            painter->drawText(c.path, textFlags, path);
        else
            painter->drawText(c.path,
                              Qt::AlignLeft | Qt::AlignTop,
                              metrics.elidedText(path, Qt::ElideRight, c.path.width()));
        painter->setPen(selected ? text : statusColor(status, opt.palette));
        painter->drawText(c.status, Qt::AlignLeft | Qt::AlignTop, QString::number(status));
        QFont timeFont = opt.font;
        timeFont.setBold(slow);
        painter->setFont(timeFont);
        painter->setPen(selected || !slow ? text : ui::Theme::color(ui::NamedColor::Orange, opt.palette));
        painter->drawText(c.time,
                          Qt::AlignRight | Qt::AlignTop,
                          tr("%1 ms").arg(index.data(HubLogModel::MillisecondsRole).toLongLong()));
    } else {
        painter->setPen(text);
        const QRect area = rect.adjusted(padding, 0, -padding, 0);
        const QString line = index.data(Qt::DisplayRole).toString();
        if (wrap_)
            painter->drawText(area, textFlags, line);
        else
            painter->drawText(
                area, Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(line, Qt::ElideRight, area.width()));
    }
    painter->restore();
}

QSize HubLogDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics metrics(option.font);
    const int line = metrics.height() + 2;
    if (!wrap_ || !option.widget)
        return {metrics.horizontalAdvance(QLatin1Char('x')) * 80, line};
    // Wrapped: as tall as the text needs in the width the view gives it.
    const int width = option.rect.width() > 0 ? option.rect.width() : option.widget->width();
    const auto kind = index.data(HubLogModel::KindRole).value<HubLogModel::Kind>();
    QRect area;
    QString text;
    if (kind == HubLogModel::Kind::Request) {
        area = columns(QRect(0, 0, width, line), metrics).path;
        text = index.data(HubLogModel::PathRole).toString();
    } else if (kind == HubLogModel::Kind::Text) {
        area = QRect(0, 0, width - 2 * padding, line);
        text = index.data(Qt::DisplayRole).toString();
    } else {
        return {width, line};
    }
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, std::max(1, area.width()), 1 << 20), textFlags, text);
    return {width, std::max(line, needed.height() + 2)};
}

} // namespace zandrel
