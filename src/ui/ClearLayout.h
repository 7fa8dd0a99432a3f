#pragma once

class QLayout;

namespace zandrel::ui {

// Empties a layout: its items go, and the widgets and layouts they held are deleted with them.
void clearLayout(QLayout* layout);

} // namespace zandrel::ui
