#pragma once

#include "hub_api/Usage.h"

#include <QWidget>
#include <optional>

namespace zandrel {

namespace ui {
class Label;
class SymbolLabel;
} // namespace ui

// One usage period: its cost, tokens in and out, and requests; a dash when the Hub has no figures.
class UsageCard : public QWidget {
    Q_OBJECT

public:
    explicit UsageCard(const QString& title, QWidget* parent = nullptr);

    void setSummary(const std::optional<UsageSummary>& summary);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Tokens in and out side by side where they fit, one above the other where they don't (a longer
    // language in a narrow window), so the card never widens the page.
    void fitTokens();

    ui::Label* none_;
    ui::Label* cost_;
    QWidget* tokens_;
    class QBoxLayout* tokensLayout_;
    ui::SymbolLabel* in_;
    ui::SymbolLabel* out_;
    ui::Label* requests_;
};

} // namespace zandrel
