#include "ui/Theme.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace zandrel::ui {

namespace {

struct StyleMetrics {
    int pixelSize;
    bool bold;
};

StyleMetrics metrics(TextStyle style)
{
    switch (style) {
    case TextStyle::LargeTitle:
        return {26, false};
    case TextStyle::Title:
        return {22, false};
    case TextStyle::Title2:
        return {17, false};
    case TextStyle::Title3:
        return {15, false};
    case TextStyle::Headline:
        return {13, true};
    case TextStyle::Body:
        return {13, false};
    case TextStyle::Callout:
        return {12, false};
    case TextStyle::Subheadline:
        return {11, false};
    case TextStyle::Footnote:
    case TextStyle::Caption:
    case TextStyle::Caption2:
        return {10, false};
    }
    return {13, false};
}

struct ColorPair {
    QRgb light;
    QRgb dark;
};

ColorPair variants(NamedColor color)
{
    switch (color) {
    case NamedColor::Blue:
        return {0x007AFF, 0x0A84FF};
    case NamedColor::Purple:
        return {0xAF52DE, 0xBF5AF2};
    case NamedColor::Orange:
        return {0xFF9500, 0xFF9F0A};
    case NamedColor::Green:
        return {0x28CD41, 0x32D74B};
    case NamedColor::Pink:
        return {0xFF2D55, 0xFF375F};
    case NamedColor::Cyan:
        return {0x55BEF0, 0x5AC8F5};
    case NamedColor::Indigo:
        return {0x5856D6, 0x5E5CE6};
    case NamedColor::Mint:
        return {0x00C7BE, 0x66D4CF};
    case NamedColor::Yellow:
        return {0xFFCC00, 0xFFD60A};
    case NamedColor::Red:
        return {0xFF3B30, 0xFF453A};
    case NamedColor::Gray:
        return {0x8E8E93, 0x98989D};
    }
    return {0x8E8E93, 0x98989D};
}

} // namespace

QFont Theme::font(TextStyle style, bool bold)
{
    const StyleMetrics m = metrics(style);
    QFont font = QGuiApplication::font();
    font.setPixelSize(m.pixelSize);
    font.setBold(bold || m.bold);
    if (style == TextStyle::Caption2)
        font.setWeight(QFont::Light);
    return font;
}

QColor Theme::textColor(Tone tone, const QPalette& palette)
{
    QColor text = palette.color(QPalette::WindowText);
    switch (tone) {
    case Tone::Primary:
        return text;
    case Tone::Secondary:
        text.setAlphaF(0.55f);
        return text;
    case Tone::Tertiary:
        text.setAlphaF(0.35f);
        return text;
    case Tone::Quaternary:
        text.setAlphaF(0.18f);
        return text;
    case Tone::Accent:
        return palette.color(QPalette::Highlight);
    case Tone::OnAccent:
        return palette.color(QPalette::HighlightedText);
    }
    return text;
}

QColor Theme::color(NamedColor color, const QPalette& palette)
{
    const ColorPair pair = variants(color);
    return QColor::fromRgb(isDark(palette) ? pair.dark : pair.light);
}

bool Theme::isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QPalette Theme::palette()
{
    return QGuiApplication::palette();
}

void Theme::paintCard(
    QPainter* painter, const QRectF& rect, Elevation elevation, const QPalette& palette, qreal radius)
{
    const bool dark = isDark(palette);
    const int shadow = elevation == Elevation::Raised ? (dark ? 110 : 40) : (dark ? 80 : 25);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -1.5), radius, radius);
    painter->fillPath(shape.translated(0, 1), QColor(0, 0, 0, shadow));
    painter->fillPath(shape, palette.color(dark ? QPalette::Window : QPalette::Base));
    painter->setPen(QPen(textColor(Tone::Quaternary, palette), 1));
    painter->drawPath(shape);
    painter->restore();
}

NamedColor Theme::slugColor(const QString& slug)
{
    static constexpr std::array kTileColors{NamedColor::Blue,
                                            NamedColor::Purple,
                                            NamedColor::Orange,
                                            NamedColor::Green,
                                            NamedColor::Pink,
                                            NamedColor::Cyan,
                                            NamedColor::Indigo,
                                            NamedColor::Mint};
    return kTileColors[qHash(slug) % kTileColors.size()];
}

QString Theme::initial(const QString& name)
{
    if (name.isEmpty())
        return {};
    return name.left(name.at(0).isHighSurrogate() ? 2 : 1).toUpper();
}

} // namespace zandrel::ui
