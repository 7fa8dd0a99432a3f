#include "ui/ErrorBanner.h"

#include "ui/Caps.h"
#include "ui/Formats.h"
#include "ui/Label.h"
#include "ui/SymbolView.h"

#include <QHBoxLayout>
#include <QPainter>

namespace zandrel::ui {

ErrorBanner::ErrorBanner(QWidget* parent)
    : QWidget(parent)
    , text_(new Label({}, TextStyle::Caption, Tone::Secondary))
{
    setObjectName(QStringLiteral("errorBanner"));
    text_->setObjectName(QStringLiteral("errorBannerText"));
    text_->setWordWrap(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* symbol = new SymbolView(QStringLiteral("exclamationmark.triangle"), 14);
    symbol->setNamedColor(NamedColor::Yellow);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(20, 8, 20, 8);
    row->setSpacing(8);
    row->addWidget(symbol, 0, Qt::AlignTop);
    row->addWidget(text_, 1);
    hide();
}

QString ErrorBanner::text() const
{
    return text_->text();
}

void ErrorBanner::setError(const std::optional<QString>& error)
{
    // A huge error body must not push the page away: the banner shows its beginning.
    text_->setText(shortened(error.value_or(QString()), cap::error));
    setAccessibleDescription(text_->text());
    setVisible(error.has_value());
}

void ErrorBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.fillRect(QRect(0, 0, width(), 1), Theme::textColor(Tone::Quaternary, palette()));
}

} // namespace zandrel::ui
