#include "ui/Refill.h"

#include <QComboBox>

namespace zandrel::ui {

void refill(QComboBox* picker, const ComboEntries& entries, const QString& current)
{
    const int common = qMin(picker->count(), int(entries.size()));
    for (int i = 0; i < common; ++i) {
        if (picker->itemText(i) != entries[i].first)
            picker->setItemText(i, entries[i].first);
        if (picker->itemData(i).toString() != entries[i].second)
            picker->setItemData(i, entries[i].second);
    }
    while (picker->count() > entries.size())
        picker->removeItem(picker->count() - 1);
    for (qsizetype i = picker->count(); i < entries.size(); ++i)
        picker->addItem(entries[i].first, entries[i].second);
    const int index = picker->findData(current);
    if (picker->currentIndex() != index)
        picker->setCurrentIndex(index);
}

} // namespace zandrel::ui
