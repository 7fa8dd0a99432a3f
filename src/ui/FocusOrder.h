#pragma once

#include <QRectF>

class QPainter;
class QPalette;
class QWidget;

namespace zandrel::ui {

// Links the Tab chain of everything inside root in reading order: the order of the layouts, top to
// bottom and left to right, a tab widget's bar before its pages, a scroll area's content in place.
// Qt chains widgets in the order they join the window, so rows a page adds after a load would
// otherwise come after everything built before them; pages call this after adding such rows.
void orderFocusChain(QWidget* root);

// The keyboard focus ring of a painted control: the accent colour, two pixels wide, drawn along
// the inside of rect, so a control keeps a gap between its ring and its own fill.
void paintFocusRing(QPainter* painter, const QRectF& rect, qreal radius, const QPalette& palette);

} // namespace zandrel::ui
