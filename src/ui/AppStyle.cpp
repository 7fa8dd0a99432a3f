#include "ui/AppStyle.h"

#include "ui/SymbolTable.h"

#include <QGuiApplication>
#include <QStyleFactory>
#include <QWidget>

namespace zandrel::ui {

AppStyle::AppStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{}

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    // Our symbols have no left-pointing chevron: right-to-left layouts keep Fusion's own.
    const bool rightToLeft = widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft();
    switch (icon) {
    case SP_ToolBarHorizontalExtensionButton:
        if (rightToLeft)
            break;
        return SymbolTable::icon(QStringLiteral("chevron.right"));
    case SP_ToolBarVerticalExtensionButton:
        return SymbolTable::icon(QStringLiteral("chevron.down"));
    default:
        break;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace zandrel::ui
