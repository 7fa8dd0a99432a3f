#include "ui/SymbolView.h"

#include "ui/Label.h"
#include "ui/SymbolTable.h"

#include <QHBoxLayout>
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

void SymbolView::setNamedColor(NamedColor color)
{
    namedColor_ = color;
    update();
}

void SymbolView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor color = namedColor_ ? Theme::color(*namedColor_, Theme::palette())
                                     : Theme::textColor(tone_, Theme::palette());
    painter.drawPixmap(0, 0, SymbolTable::pixmap(symbolName_, size(), color, devicePixelRatioF()));
}

SymbolLabel::SymbolLabel(
    const QString& symbolName, const QString& text, TextStyle style, Tone tone, int spacing, QWidget* parent)
    : QWidget(parent)
    , label_(new Label(text, style, tone))
{
    symbol_ = new SymbolView(symbolName, QFontMetrics(Theme::font(style)).height() - 2, tone);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    row->addWidget(symbol_);
    row->addWidget(label_);
    setAccessibleName(text);
}

QString SymbolLabel::text() const
{
    return label_->text();
}

void SymbolLabel::setNamedColor(NamedColor color)
{
    symbol_->setNamedColor(color);
    label_->setNamedColor(color);
}

} // namespace zandrel::ui
