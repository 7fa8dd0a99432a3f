#pragma once

#include "hub_api/Usage.h"

#include <QWidget>

namespace zandrel {

// A bar beside an app's cost in the per-app breakdown: its length is the app's share of the largest
// spender's cost (the largest fills it), or of the largest token count when nothing cost anything.
class UsageBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int barWidth = 120;

    explicit UsageBar(QWidget* parent = nullptr);

    void setUsage(const UsageSummary& summary, qreal fraction);
    qreal fraction() const { return fraction_; }

    // Each summary's bar length from 0 to 1, in the given order.
    static QList<qreal> fractions(const QList<UsageSummary>& summaries);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal fraction_ = 0;
};

} // namespace zandrel
