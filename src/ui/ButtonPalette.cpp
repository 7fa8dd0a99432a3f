#include "ui/ButtonPalette.h"

#include "ui/Theme.h"

#include <vector>

namespace zandrel::ui {

QPalette buttonPalette(const QPalette& base, ButtonColors colors)
{
    struct Made {
        qint64 base;
        qint64 application;
        ButtonColors colors;
        QPalette palette;
    };
    // A few: one per palette a button sits in. Any more means the palettes themselves keep changing.
    static std::vector<Made> made;
    constexpr std::size_t kMost = 16;
    const QPalette application = Theme::palette();
    for (const Made& entry : made) {
        if (entry.base == base.cacheKey() && entry.application == application.cacheKey() &&
            entry.colors == colors) {
            // The state to paint (enabled, disabled, an inactive window) is the button's own; it is
            // not part of the key.
            QPalette palette = entry.palette;
            palette.setCurrentColorGroup(base.currentColorGroup());
            return palette;
        }
    }
    QPalette palette = base;
    switch (colors) {
    case ButtonColors::Accent:
        palette.setColor(QPalette::Button, application.color(QPalette::Highlight));
        palette.setColor(QPalette::ButtonText, application.color(QPalette::HighlightedText));
        break;
    case ButtonColors::Destructive:
        palette.setColor(QPalette::ButtonText, Theme::color(NamedColor::Red, application));
        break;
    }
    if (made.size() >= kMost)
        made.clear();
    made.push_back({base.cacheKey(), application.cacheKey(), colors, palette});
    return palette;
}

} // namespace zandrel::ui
