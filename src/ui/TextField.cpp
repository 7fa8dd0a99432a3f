#include "ui/TextField.h"

#include "ui/Theme.h"

#include <QEvent>

namespace zandrel::ui {

namespace {

QString css(const QColor& color)
{
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF());
}

} // namespace

TextField::TextField(const QString& placeholder, QWidget* parent)
    : QLineEdit(parent)
{
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);
    applyLook();
}

void TextField::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        applyLook();
}

void TextField::applyLook()
{
    const QPalette palette = Theme::palette();
    const QString look =
        QStringLiteral("QLineEdit { border: 1px solid %1; border-radius: 6px; padding: 5px 8px; }"
                       "QLineEdit:focus { border: 2px solid %2; padding: 4px 7px; }")
            .arg(css(Theme::textColor(Tone::Tertiary, palette)), css(palette.color(QPalette::Highlight)));
    if (styleSheet() != look)
        setStyleSheet(look);
}

} // namespace zandrel::ui
