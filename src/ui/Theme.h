#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRectF>

class QPainter;

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

// How far a card stands off the page: a row inside a section barely, a card in a grid more.
enum class Elevation { Low, Raised };

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

    // A card: a soft one-pixel shadow below, the card's fill and a faint edge, with rounded corners.
    // On a dark page, where a shadow barely shows, the fill is lighter and the shadow deeper.
    static void paintCard(QPainter* painter,
                          const QRectF& rect,
                          Elevation elevation,
                          const QPalette& palette,
                          qreal radius = 10);

    // Tiles of store apps: one of eight colours, chosen by a hash of the slug (stable within one run).
    static NamedColor slugColor(const QString& slug);
    // The letter on a tile: the first character, upper-cased; nothing for an empty name.
    static QString initial(const QString& name);
};

} // namespace zandrel::ui
