#pragma once

#include <QFont>
#include <QStringList>

namespace zandrel::ui {

// The text broken into lines that fit the width, at most maxLines; the last line shown ends in "…"
// when text is left over. For painted cells, where no label does the wrapping.
QStringList wrapLines(const QString& text, const QFont& font, int width, int maxLines);

} // namespace zandrel::ui
