#pragma once

#include <QPalette>

namespace zandrel::ui {

enum class ButtonColors { Accent, Destructive };

// The palette a button in these colours paints with, made from the palette it would otherwise have.
// The same palettes give the same palette object, hence the same key: the style caches a button's
// picture under its palette's key, and a palette made anew for each button or each page would add a
// copy of the same picture to the shared cache every time.
QPalette buttonPalette(const QPalette& base, ButtonColors colors);

} // namespace zandrel::ui
