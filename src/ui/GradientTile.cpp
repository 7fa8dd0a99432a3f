#include "ui/GradientTile.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zandrel::ui {

GradientTile::GradientTile(
    const QString& name, NamedColor color, int side, int radius, TextStyle initialStyle, QWidget* parent)
    : QWidget(parent)
    , initial_(Theme::initial(name))
    , color_(color)
    , radius_(radius)
    , initialStyle_(initialStyle)
{
    setFixedSize(side, side);
}

void GradientTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor base = Theme::color(color_, Theme::palette());
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, base.lighter(118));
    gradient.setColorAt(1, base);
    QPainterPath shape;
    shape.addRoundedRect(rect(), radius_, radius_);
    painter.fillPath(shape, gradient);

    painter.setPen(Qt::white);
    painter.setFont(Theme::font(initialStyle_, true));
    painter.drawText(rect(), Qt::AlignCenter, initial_);
}

} // namespace zandrel::ui
