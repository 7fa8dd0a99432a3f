#include "ui/ClearLayout.h"

#include <QLayout>
#include <QWidget>

namespace zandrel::ui {

void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        if (QLayout* inner = item->layout())
            clearLayout(inner);
        delete item;
    }
}

} // namespace zandrel::ui
