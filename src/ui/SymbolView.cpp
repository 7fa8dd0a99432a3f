#include "ui/SymbolView.h"

#include "ui/SymbolTable.h"

#include <QPainter>

namespace zandrel::ui {

SymbolView::SymbolView(QString symbolName, int side, Tone tone, QWidget* parent)
    : QWidget(parent)
    , symbolName_(std::move(symbolName))
    , side_(side)
    , tone_(tone)
{
    setFixedSize(side_, side_);
}

void SymbolView::setSymbolName(QString symbolName)
{
    symbolName_ = std::move(symbolName);
    update();
}

void SymbolView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor color = Theme::textColor(tone_, Theme::palette());
    painter.drawPixmap(0, 0, SymbolTable::pixmap(symbolName_, size(), color, devicePixelRatioF()));
}

} // namespace zandrel::ui
