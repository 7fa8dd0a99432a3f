#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QStringList>

namespace zandrel::ui {

// The application's symbols by their system names ("gear", "bag", "arrow.down.circle"), drawn from
// bundled monochrome SVGs and tinted when drawn. An unknown name draws the generic "app" symbol.
class SymbolTable {
public:
    // The bundled file a name resolves to, e.g. "outline/settings".
    static QString fileFor(const QString& symbolName);
    static bool contains(const QString& symbolName);
    static QStringList names();
    // Makes the bundled resources (symbols, application icon) reachable under ":/".
    static void registerResources();

    // The symbol in one colour, `size` in logical pixels, rendered at `dpr` device pixels per pixel.
    static QPixmap pixmap(const QString& symbolName, const QSize& size, const QColor& color, qreal dpr);
    // An icon that takes its colour from the application's palette whenever it is drawn (and the
    // highlighted-text colour when its row is selected).
    static QIcon icon(const QString& symbolName, QPalette::ColorRole role = QPalette::WindowText);
    static QIcon icon(const QString& symbolName, const QColor& color);
};

// The symbol of a companion app in the sidebar, by its name (case-insensitive, whole name only).
QString iconForApp(const QString& appName);

} // namespace zandrel::ui
