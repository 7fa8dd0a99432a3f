#include "settings/UsageBar.h"

#include "ui/Formats.h"
#include "ui/Theme.h"

#include <QPainter>
#include <cmath>
#include <limits>

namespace zandrel {

namespace {

// A cost the Hub got wrong (negative, not a number) counts as nothing rather than bending the scale.
double cost(const UsageSummary& summary)
{
    return std::isfinite(summary.cost_estimate) && summary.cost_estimate > 0 ? summary.cost_estimate : 0;
}

double tokens(const UsageSummary& summary)
{
    return double(std::max<qint64>(0, summary.input_tokens)) +
           double(std::max<qint64>(0, summary.output_tokens));
}

} // namespace

UsageBar::UsageBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("usageBar"));
    setFixedSize(barWidth, 8);
}

QList<qreal> UsageBar::fractions(const QList<UsageSummary>& summaries)
{
    double largestCost = 0;
    double largestTokens = 0;
    for (const UsageSummary& summary : summaries) {
        largestCost = std::max(largestCost, cost(summary));
        largestTokens = std::max(largestTokens, tokens(summary));
    }
    QList<qreal> shares;
    shares.reserve(summaries.size());
    for (const UsageSummary& summary : summaries) {
        if (largestCost > 0)
            shares.append(cost(summary) / largestCost);
        else if (largestTokens > 0)
            shares.append(tokens(summary) / largestTokens);
        else
            shares.append(0);
    }
    return shares;
}

void UsageBar::setUsage(const UsageSummary& summary, qreal fraction)
{
    fraction_ = std::clamp<qreal>(fraction, 0, 1);
    const QString text = tr("%1 in, %2 out, %3 request(s)", nullptr, ui::pluralCount(summary.count))
                             .arg(ui::formatTokens(summary.input_tokens),
                                  ui::formatTokens(summary.output_tokens),
                                  QString::number(summary.count));
    setToolTip(text);
    setAccessibleName(tr("Share of the largest spender"));
    setAccessibleDescription(tr("%1 %; %2").arg(qRound(fraction_ * 100)).arg(text));
    update();
}

QSize UsageBar::sizeHint() const
{
    return {barWidth, 8};
}

void UsageBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;
    painter.setBrush(ui::Theme::textColor(ui::Tone::Quaternary, palette()));
    painter.drawRoundedRect(track, radius, radius);
    if (fraction_ <= 0)
        return;
    // Even the smallest share shows as a dot rather than nothing.
    QRectF bar = track;
    bar.setWidth(std::max(track.height(), track.width() * fraction_));
    painter.setBrush(palette().color(QPalette::Highlight));
    painter.drawRoundedRect(bar, radius, radius);
}

} // namespace zandrel
