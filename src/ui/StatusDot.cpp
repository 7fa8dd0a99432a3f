#include "ui/StatusDot.h"

#include <QPainter>

namespace zandrel::ui {

StatusDot::StatusDot(NamedColor color, int side, QWidget* parent)
    : QWidget(parent)
    , color_(color)
{
    setFixedSize(side, side);
    setAccessibleName(colorName(color));
}

void StatusDot::setColor(NamedColor color, const QString& meaning)
{
    const QString name = meaning.isEmpty() ? colorName(color) : meaning;
    if (accessibleName() != name)
        setAccessibleName(name);
    if (color == color_)
        return;
    color_ = color;
    update();
}

QString StatusDot::colorName(NamedColor color)
{
    switch (color) {
    case NamedColor::Blue:
        return tr("Blue");
    case NamedColor::Purple:
        return tr("Purple");
    case NamedColor::Orange:
        return tr("Orange");
    case NamedColor::Green:
        return tr("Green");
    case NamedColor::Pink:
        return tr("Pink");
    case NamedColor::Cyan:
        return tr("Cyan");
    case NamedColor::Indigo:
        return tr("Indigo");
    case NamedColor::Mint:
        return tr("Mint");
    case NamedColor::Yellow:
        return tr("Yellow");
    case NamedColor::Red:
        return tr("Red");
    case NamedColor::Gray:
        return tr("Gray");
    }
    return {};
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
