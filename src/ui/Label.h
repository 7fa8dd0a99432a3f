#pragma once

#include "ui/Theme.h"

#include <QLabel>
#include <optional>

namespace zandrel::ui {

// A label in one of the text styles and tones. Its colour is re-derived whenever the application's
// palette changes, so secondary text stays secondary in light and dark alike.
class Label : public QLabel {
    Q_OBJECT

public:
    explicit Label(const QString& text = {},
                   TextStyle style = TextStyle::Body,
                   Tone tone = Tone::Primary,
                   QWidget* parent = nullptr);

    void setTextStyle(TextStyle style, bool bold = false);
    Tone tone() const { return tone_; }
    void setTone(Tone tone);
    // Draws the text in one of the named colours (an error in red, "Installed" in green) instead.
    void setNamedColor(NamedColor color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyTone();

    Tone tone_;
    std::optional<NamedColor> namedColor_;
};

} // namespace zandrel::ui
