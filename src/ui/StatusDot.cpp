#include "ui/StatusDot.h"

#include <QPainter>

namespace zandrel::ui {

StatusDot::StatusDot(NamedColor color, int side, QWidget* parent)
    : QWidget(parent)
    , color_(color)
{
    setFixedSize(side, side);
}

void StatusDot::setColor(NamedColor color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void StatusDot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::color(color_, palette()));
    painter.drawEllipse(rect());
}

} // namespace zandrel::ui
