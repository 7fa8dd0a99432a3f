#pragma once

#include <QList>
#include <QString>
#include <utility>

class QComboBox;

namespace zandrel::ui {

using ComboEntries = QList<std::pair<QString, QString>>; // text, value

// Brings a drop-down's entries to these, changing only what differs: an open list stays open and
// the user's pick is not lost. The current entry follows `current` (none when nothing matches).
void refill(QComboBox* picker, const ComboEntries& entries, const QString& current);

} // namespace zandrel::ui
