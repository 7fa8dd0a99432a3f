#include "ui/ToggleSwitch.h"

#include "ui/FocusOrder.h"
#include "ui/Theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>

namespace zandrel::ui {

ToggleSwitch::ToggleSwitch(QWidget* parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
    checkStateSet();
}

void ToggleSwitch::checkStateSet()
{
    QAbstractButton::checkStateSet();
    setAccessibleDescription(isChecked() ? tr("On") : tr("Off"));
}

void ToggleSwitch::setOn(bool on)
{
    const QSignalBlocker blocker(this);
    setChecked(on);
}

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRectF track = QRectF(rect()).adjusted(3, 3, -3, -3);
    QPainterPath shape;
    shape.addRoundedRect(track, track.height() / 2, track.height() / 2);
    QColor fill = isChecked() ? pal.color(QPalette::Highlight) : Theme::textColor(Tone::Tertiary, pal);
    if (!isEnabled())
        fill.setAlphaF(fill.alphaF() * 0.5);
    painter.fillPath(shape, fill);
    if (hasFocus())
        paintFocusRing(&painter, rect(), height() / 2.0, pal);
    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

} // namespace zandrel::ui
