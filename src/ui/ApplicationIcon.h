#pragma once

#include <QIcon>

namespace zandrel::ui {

// The application's icon, drawn from its SVG at each size asked for. Qt's own QIcon(":/….svg") would
// load the SVG icon engine plugin at start-up for the same drawing.
QIcon applicationIcon();

} // namespace zandrel::ui
