#include "ui/AppStyle.h"

#include "ui/SymbolTable.h"

#include <QStyleFactory>

namespace zandrel::ui {

AppStyle::AppStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{}

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    switch (icon) {
    case SP_ToolBarHorizontalExtensionButton:
        return SymbolTable::icon(QStringLiteral("chevron.right"));
    case SP_ToolBarVerticalExtensionButton:
        return SymbolTable::icon(QStringLiteral("chevron.down"));
    default:
        return QProxyStyle::standardIcon(icon, option, widget);
    }
}

} // namespace zandrel::ui
