#include "ui/AppStyle.h"

#include "ui/SymbolTable.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
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
    case SP_LineEditClearButton: {
        if (rightToLeft)
            break;
        // Fusion's own picture, read as the PNG it is: by file name alone Qt loads every image format
        // plugin, and libjpeg, to ask which one reads it.
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/cleartext-16.png"),
                            "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.isNull())
            break;
        return QIcon(QPixmap::fromImage(image));
    }
    default:
        break;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace zandrel::ui
