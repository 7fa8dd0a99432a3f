#include "ui/Spinner.h"

#include "ui/Label.h"
#include "ui/Theme.h"

#include <QPainter>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace zandrel::ui {

Spinner::Spinner(int side, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(side, side);
    setAccessibleName(tr("In progress"));
}

void Spinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pen = qMax(1.5, width() / 8.0);
    const QRectF area = QRectF(rect()).adjusted(pen, pen, -pen, -pen);
    QColor track = Theme::textColor(Tone::Quaternary, palette());
    painter.setPen(QPen(track, pen));
    painter.drawEllipse(area);
    painter.setPen(QPen(Theme::textColor(Tone::Secondary, palette()), pen, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(area, -angle_ * 16, 100 * 16);
}

void Spinner::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    timer_.start(40, this);
}

void Spinner::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    timer_.stop();
}

void Spinner::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId())
        return QWidget::timerEvent(event);
    angle_ = (angle_ + 24) % 360;
    update();
}

ProgressLabel::ProgressLabel(const QString& text, QWidget* parent)
    : QWidget(parent)
{
    auto* label = new Label(text, TextStyle::Body, Tone::Secondary);
    label->setObjectName(QStringLiteral("progressText"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    layout->addWidget(new Spinner(24), 0, Qt::AlignHCenter);
    layout->addWidget(label, 0, Qt::AlignHCenter);
    setAccessibleName(text);
}

} // namespace zandrel::ui
