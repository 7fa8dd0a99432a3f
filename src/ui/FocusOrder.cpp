#include "ui/FocusOrder.h"

#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>

namespace zandrel::ui {

namespace {

bool isTabStop(const QWidget* widget)
{
    // A widget that hands its focus on (a tab widget to its bar) is reached through that widget.
    return widget->focusPolicy() & Qt::TabFocus && !widget->focusProxy();
}

void collect(QWidget* widget, QList<QWidget*>& stops, QSet<QWidget*>& seen);

void collectLayout(QLayout* layout, QList<QWidget*>& stops, QSet<QWidget*>& seen)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (QWidget* child = item->widget())
            collect(child, stops, seen);
        else if (QLayout* inner = item->layout())
            collectLayout(inner, stops, seen);
    }
}

void collect(QWidget* widget, QList<QWidget*>& stops, QSet<QWidget*>& seen)
{
    if (seen.contains(widget) || widget->isWindow())
        return;
    seen.insert(widget);
    if (isTabStop(widget))
        stops.append(widget);
    if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        collect(tabs->tabBar(), stops, seen);
    if (auto* scroll = qobject_cast<QScrollArea*>(widget); scroll && scroll->widget())
        collect(scroll->widget(), stops, seen);
    if (QLayout* layout = widget->layout())
        collectLayout(layout, stops, seen);
    // Children placed without a layout, in the order they were made.
    for (QObject* child : widget->children()) {
        if (auto* childWidget = qobject_cast<QWidget*>(child))
            collect(childWidget, stops, seen);
    }
}

} // namespace

void orderFocusChain(QWidget* root)
{
    QList<QWidget*> stops;
    QSet<QWidget*> seen;
    collect(root, stops, seen);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void paintFocusRing(QPainter* painter, const QRectF& rect, qreal radius, const QPalette& palette)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), 2));
    const QRectF ring = rect.adjusted(1, 1, -1, -1);
    painter->drawRoundedRect(ring, qMax<qreal>(0, radius - 1), qMax<qreal>(0, radius - 1));
    painter->restore();
}

} // namespace zandrel::ui
