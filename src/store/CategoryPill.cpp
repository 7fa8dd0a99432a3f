#include "store/CategoryPill.h"

#include "ui/FocusOrder.h"
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
constexpr int kRingRoom = 3; // around the capsule, where the focus ring goes

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
    setObjectName(QStringLiteral("categoryPill"));
    setAccessibleName(name);
    checkStateSet();
}

void CategoryPill::checkStateSet()
{
    QAbstractButton::checkStateSet();
    setAccessibleDescription(isChecked() ? tr("Selected category") : tr("Category"));
}

QSize CategoryPill::sizeHint() const
{
    const QFontMetrics text(Theme::font(TextStyle::Caption));
    return {kPadX * 2 + symbolSide() + kGap + text.horizontalAdvance(this->text()) + 2 * kRingRoom,
            kPadY * 2 + qMax(text.height(), symbolSide()) + 2 * kRingRoom};
}

void CategoryPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRect pill = rect().adjusted(kRingRoom, kRingRoom, -kRingRoom, -kRingRoom);
    const QRectF shape = QRectF(pill).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath capsule;
    capsule.addRoundedRect(shape, shape.height() / 2, shape.height() / 2);
    if (isChecked())
        painter.fillPath(capsule, pal.color(QPalette::Highlight));
    painter.setPen(QPen(Theme::textColor(ui::Tone::Quaternary, pal), 1));
    painter.drawPath(capsule);
    // Clear of the capsule, so it shows on a selected (accent-filled) pill too.
    if (hasFocus())
        ui::paintFocusRing(&painter, rect(), height() / 2.0, pal);

    const QColor ink = isChecked() ? QColor(Qt::white) : pal.color(QPalette::WindowText);
    const int side = symbolSide();
    const qreal dpr = devicePixelRatioF();
    painter.drawPixmap(
        pill.left() + kPadX, (height() - side) / 2, ui::SymbolTable::pixmap(icon_, {side, side}, ink, dpr));
    painter.setFont(Theme::font(TextStyle::Caption));
    painter.setPen(ink);
    painter.drawText(
        QRect(pill.left() + kPadX + side + kGap, 0, pill.width() - kPadX * 2 - side - kGap, height()),
        Qt::AlignLeft | Qt::AlignVCenter,
        text());
}

} // namespace zandrel
