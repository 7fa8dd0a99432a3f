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
    paint(&painter, rect(), initial_, color_, radius_, initialStyle_, Theme::palette());
}

void GradientTile::paint(QPainter* painter,
                         const QRect& rect,
                         const QString& initial,
                         NamedColor color,
                         int radius,
                         TextStyle initialStyle,
                         const QPalette& palette)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor base = Theme::color(color, palette);
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, base.lighter(118));
    gradient.setColorAt(1, base);
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    painter->fillPath(shape, gradient);
    painter->setPen(Qt::white);
    painter->setFont(Theme::font(initialStyle, true));
    painter->drawText(rect, Qt::AlignCenter, initial);
    painter->restore();
}

} // namespace zandrel::ui
