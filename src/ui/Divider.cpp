#include "ui/Divider.h"

#include "ui/Theme.h"

#include <QPainter>

namespace zandrel::ui {

Divider::Divider(QWidget* parent)
    : QFrame(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Divider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Theme::textColor(Tone::Quaternary, palette()));
}

} // namespace zandrel::ui
