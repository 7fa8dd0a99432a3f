#include "ui/Label.h"

#include <QEvent>

namespace zandrel::ui {

Label::Label(const QString& text, TextStyle style, Tone tone, QWidget* parent)
    : QLabel(text, parent)
    , tone_(tone)
{
    // Texts come from the Hub and the store: never read them as markup.
    setTextFormat(Qt::PlainText);
    setFont(Theme::font(style));
    applyTone();
}

void Label::setTextStyle(TextStyle style, bool bold)
{
    setFont(Theme::font(style, bold));
}

void Label::setTone(Tone tone)
{
    if (tone_ == tone)
        return;
    tone_ = tone;
    applyTone();
}

void Label::setNamedColor(NamedColor color)
{
    namedColor_ = color;
    applyTone();
}

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    // The application palette reaches each widget as a palette change; our own colour is re-derived
    // from it (setting it causes one more change, which then finds nothing to do).
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        applyTone();
}

void Label::applyTone()
{
    const QColor wanted = namedColor_ ? Theme::color(*namedColor_, Theme::palette())
                                      : Theme::textColor(tone_, Theme::palette());
    if (palette().color(QPalette::WindowText) == wanted && testAttribute(Qt::WA_SetPalette))
        return;
    QPalette own = palette();
    own.setColor(QPalette::WindowText, wanted);
    // Selectable text is drawn with the Text role.
    own.setColor(QPalette::Text, wanted);
    setPalette(own);
}

} // namespace zandrel::ui
