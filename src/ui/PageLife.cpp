#include "ui/PageLife.h"

namespace zandrel::ui {

namespace {
constexpr char kRetired[] = "zandrelRetired";
}

void retire(QWidget* widget)
{
    if (widget)
        widget->setProperty(kRetired, true);
}

bool isRetired(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->property(kRetired).toBool())
            return true;
    }
    return false;
}

} // namespace zandrel::ui
