#pragma once

#include "ui/PageContext.h"

#include <QScrollArea>
#include <optional>
#include <qcoro/qcorotask.h>

class QListWidget;
class QVBoxLayout;

namespace zandrel {

namespace ui {
class ErrorBanner;
class Spinner;
} // namespace ui
class AISettingsState;

// The AI tab: providers with their keys, tests and sign-in; the default model and per-app models;
// the fallback chain; usage and cost. It loads each time it is shown; what fails shows at the top.
class AISettingsTab : public QScrollArea {
    Q_OBJECT

public:
    explicit AISettingsTab(const PageContext& context, QWidget* parent = nullptr);
    ~AISettingsTab() override;

    AISettingsState& state() { return *state_; }
    // The fallback list while it is shown.
    QListWidget* fallbackList() const { return fallback_; }
    // Rebuilds now instead of at the next turn of the event loop (tests).
    void rebuildNow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scheduleRebuild();
    QWidget* makeProviders();
    QWidget* makeDefaultModel();
    QWidget* makeFallback();
    QWidget* makeUsage();
    void fallbackMoved();
    void setDragging(bool dragging);
    void syncKeyFields();
    QCoro::Task<> signOut(QString provider);

    PageContext context_;
    AISettingsState* state_;
    ui::ErrorBanner* banner_;
    ui::Spinner* busy_;
    QVBoxLayout* sections_;
    QListWidget* fallback_ = nullptr;
    bool rebuildPending_ = false;
    std::optional<QString> shownExpanded_; // the card open in the last build
    bool dragging_ = false;
    bool firstLoadDone_ = false;
};

} // namespace zandrel
