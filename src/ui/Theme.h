#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

namespace zandrel::ui {

// Text sizes, in logical pixels, matching the platform the look was drawn on.
enum class TextStyle {
    LargeTitle,
    Title,
    Title2,
    Title3,
    Headline,
    Body,
    Callout,
    Subheadline,
    Footnote,
    Caption,
    Caption2,
};

// How strongly text stands out: the palette's text colour at decreasing opacity, or the accent.
enum class Tone { Primary, Secondary, Tertiary, Quaternary, Accent, OnAccent };

// The system colours the views name. Each has a light and a dark variant.
enum class NamedColor { Blue, Purple, Orange, Green, Pink, Cyan, Indigo, Mint, Yellow, Red, Gray };

// The one place for the application's look: fonts and colours, always derived from the palette given
// (normally the application's), so light and dark follow the system.
class Theme {
public:
    static QFont font(TextStyle style, bool bold = false);
    static QColor textColor(Tone tone, const QPalette& palette);
    static QColor color(NamedColor color, const QPalette& palette);
    static bool isDark(const QPalette& palette);
    // The application's palette, as every view reads it.
    static QPalette palette();

    // Tiles of store apps: one of eight colours, chosen by a hash of the slug (stable within one run).
    static NamedColor slugColor(const QString& slug);
    // The letter on a tile: the first character, upper-cased; nothing for an empty name.
    static QString initial(const QString& name);
};

} // namespace zandrel::ui
