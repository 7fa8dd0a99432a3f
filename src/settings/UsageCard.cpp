#include "settings/UsageCard.h"

#include "ui/Formats.h"
#include "ui/Label.h"
#include "ui/SymbolView.h"
#include "ui/Theme.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace zandrel {

using ui::Label;
using ui::SymbolLabel;
using ui::TextStyle;
using ui::Tone;

UsageCard::UsageCard(const QString& title, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("usageCard"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(4);
    column->addWidget(new Label(title, TextStyle::Caption, Tone::Secondary));
    none_ = new Label(QStringLiteral("\u2014"), TextStyle::Title3, Tone::Tertiary);
    none_->setObjectName(QStringLiteral("noSummary"));
    column->addWidget(none_);
    cost_ = new Label({}, TextStyle::Title3);
    cost_->setTextStyle(TextStyle::Title3, true);
    cost_->setObjectName(QStringLiteral("cost"));
    column->addWidget(cost_);
    tokens_ = new QWidget;
    tokens_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* tokens = new QBoxLayout(QBoxLayout::LeftToRight, tokens_);
    tokensLayout_ = tokens;
    tokens->setContentsMargins(0, 0, 0, 0);
    tokens->setSpacing(8);
    in_ = new SymbolLabel(QStringLiteral("arrow.down.circle"), {}, TextStyle::Caption2, Tone::Secondary);
    in_->setObjectName(QStringLiteral("tokensIn"));
    out_ = new SymbolLabel(QStringLiteral("arrow.up.circle"), {}, TextStyle::Caption2, Tone::Secondary);
    out_->setObjectName(QStringLiteral("tokensOut"));
    tokens->addWidget(in_);
    tokens->addWidget(out_);
    tokens->addStretch(1);
    column->addWidget(tokens_);
    requests_ = new Label({}, TextStyle::Caption2, Tone::Tertiary);
    requests_->setObjectName(QStringLiteral("requests"));
    column->addWidget(requests_);
    column->addStretch(1);
    setSummary(std::nullopt);
}

void UsageCard::setSummary(const std::optional<UsageSummary>& summary)
{
    none_->setVisible(!summary);
    cost_->setVisible(summary.has_value());
    tokens_->setVisible(summary.has_value());
    requests_->setVisible(summary.has_value());
    if (!summary)
        return;
    cost_->setText(ui::costText(summary->cost_estimate));
    in_->label()->setText(tr("%1 in").arg(ui::formatTokens(summary->input_tokens)));
    out_->label()->setText(tr("%1 out").arg(ui::formatTokens(summary->output_tokens)));
    requests_->setText(tr("%1 request(s)", nullptr, ui::pluralCount(summary->count)).arg(summary->count));
    fitTokens();
}

void UsageCard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitTokens();
}

void UsageCard::fitTokens()
{
    const int sideBySide = in_->sizeHint().width() + 8 + out_->sizeHint().width();
    const int room = contentsRect().width() - 20; // the card's margins
    const auto direction = sideBySide <= room ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (tokensLayout_->direction() == direction)
        return;
    tokensLayout_->setDirection(direction);
    tokensLayout_->setSpacing(direction == QBoxLayout::LeftToRight ? 8 : 2);
}

void UsageCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 6, 6);
    QColor fill = ui::Theme::textColor(Tone::Quaternary, palette());
    fill.setAlphaF(fill.alphaF() * 0.5);
    painter.fillPath(shape, fill);
}

} // namespace zandrel
