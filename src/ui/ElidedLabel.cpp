#include "ui/ElidedLabel.h"

#include <QEvent>

namespace zandrel::ui {

ElidedLabel::ElidedLabel(TextStyle style, Tone tone, QWidget* parent)
    : Label({}, style, tone, parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setFullText(const QString& text)
{
    if (full_ == text)
        return;
    full_ = text;
    setToolTip(text);
    setAccessibleDescription(text);
    updateGeometry();
    elide();
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(full_) + m.left() + m.right() + 1,
            fontMetrics().height() + m.top() + m.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) + m.left() + m.right(),
            fontMetrics().height() + m.top() + m.bottom()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    Label::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    Label::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        elide();
}

void ElidedLabel::elide()
{
    // Only the shown text changes, so the size hint stays that of the whole text.
    const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, contentsRect().width());
    if (text() != shown)
        setText(shown);
}

} // namespace zandrel::ui
