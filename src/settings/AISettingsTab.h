#pragma once

#include "ui/PageContext.h"
#include "ui/Reloadable.h"

#include <QMap>
#include <QScrollArea>

class QComboBox;
class QGridLayout;
class QMenu;
class QToolButton;
class QVBoxLayout;

namespace zandrel {

namespace ui {
class ErrorBanner;
class GroupBox;
class Label;
class Spinner;
} // namespace ui
class AISettingsState;
class FallbackChainModel;
class FallbackChainView;
class ProviderCard;
class UsageCard;

// The AI tab: providers with their keys, tests and sign-in; the default model and per-app models;
// the fallback chain; usage and cost. It loads each time it is shown; what fails shows at the top.
//
// Its sections are built once and follow the state in place: a load or a test that answers while
// the user has a drop-down or a menu open, or is pressing a button, changes what they show and
// nothing else.
class AISettingsTab : public QScrollArea, public ui::Reloadable {
    Q_OBJECT

public:
    explicit AISettingsTab(const PageContext& context, QWidget* parent = nullptr);
    // Loads the configuration, models and usage again.
    void reload() override;
    ~AISettingsTab() override;

    AISettingsState& state() { return *state_; }
    // The fallback chain's list (its section shows with two providers or more).
    FallbackChainView* fallbackList() const { return fallbackView_; }
    ProviderCard* card(const QString& id) const { return cards_.value(id); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeProviders();
    QWidget* makeDefaultModel();
    QWidget* makeFallback();
    QWidget* makeUsage();
    void syncProviders();
    void syncDefaultModel();
    void syncOverrides();
    void syncFallback();
    void syncUsage();

    PageContext context_;
    AISettingsState* state_;
    ui::ErrorBanner* banner_;
    ui::Spinner* busy_;

    QToolButton* add_ = nullptr;
    QMap<QString, QAction*> addActions_;
    ui::Label* noProviders_ = nullptr;
    QVBoxLayout* cardsLayout_ = nullptr;
    QMap<QString, ProviderCard*> cards_;

    ui::Label* noModels_ = nullptr;
    QComboBox* defaultPicker_ = nullptr;
    QWidget* overrides_ = nullptr;
    QVBoxLayout* overrideRows_ = nullptr;
    QMap<QString, QWidget*> overrideRowOf_;

    ui::GroupBox* fallbackSection_ = nullptr;
    FallbackChainModel* fallbackModel_ = nullptr;
    FallbackChainView* fallbackView_ = nullptr;

    ui::Label* noUsage_ = nullptr;
    QWidget* usageCards_ = nullptr;
    QList<UsageCard*> periods_;
    QWidget* breakdown_ = nullptr;
    QGridLayout* breakdownGrid_ = nullptr;
    int breakdownRows_ = 0;
};

} // namespace zandrel
