#include "store/CategoryPill.h"

#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace zandrel {

using ui::TextStyle;
using ui::Theme;

namespace {

constexpr int kPadX = 10;
constexpr int kPadY = 5;
constexpr int kGap = 4;

int symbolSide()
{
    return QFontMetrics(Theme::font(TextStyle::Caption2)).height();
}

} // namespace

CategoryPill::CategoryPill(const QString& name, QString icon, QWidget* parent)
    : QAbstractButton(parent)
    , icon_(std::move(icon))
{
    setText(name);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(name);
}

QSize CategoryPill::sizeHint() const
{
    const QFontMetrics text(Theme::font(TextStyle::Caption));
    return {kPadX * 2 + symbolSide() + kGap + text.horizontalAdvance(this->text()),
            kPadY * 2 + qMax(text.height(), symbolSide())};
}

void CategoryPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath capsule;
    capsule.addRoundedRect(shape, shape.height() / 2, shape.height() / 2);
    if (isChecked())
        painter.fillPath(capsule, pal.color(QPalette::Highlight));
    painter.setPen(QPen(Theme::textColor(ui::Tone::Quaternary, pal), 1));
    painter.drawPath(capsule);
    if (hasFocus()) {
        painter.setPen(QPen(pal.color(QPalette::Highlight), 2));
        painter.drawPath(capsule);
    }

    const QColor ink = isChecked() ? QColor(Qt::white) : pal.color(QPalette::WindowText);
    const int side = symbolSide();
    const qreal dpr = devicePixelRatioF();
    painter.drawPixmap(kPadX, (height() - side) / 2, ui::SymbolTable::pixmap(icon_, {side, side}, ink, dpr));
    painter.setFont(Theme::font(TextStyle::Caption));
    painter.setPen(ink);
    painter.drawText(QRect(kPadX + side + kGap, 0, width() - kPadX * 2 - side - kGap, height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     text());
}

} // namespace zandrel
