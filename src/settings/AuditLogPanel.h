#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;

namespace zandrel {

namespace ui {
class Button;
class Label;
} // namespace ui
class AuditLogView;
class PermissionsState;

// The audit log with what it takes to work with it: a filter row (search, app, outcome, and how many
// rows it lets through), the list, "Show more" for a longer log, and "Export…" of the rows shown to CSV.
class AuditLogPanel : public QWidget {
    Q_OBJECT

public:
    explicit AuditLogPanel(PermissionsState& state, QWidget* parent = nullptr);

    AuditLogView* log() const { return log_; }

    // Asks where to save; empty when the user cancels. A file dialog unless a test replaces it.
    using SavePathPrompt = std::function<QString(QWidget* parent, const QString& suggested)>;
    static void setSavePathPrompt(SavePathPrompt prompt);

    // Exports the rows shown to this file; the failure is shown in place.
    bool exportTo(const QString& path);

private:
    void update();
    void updateCount();
    void refillApps();
    void exportShown();

    PermissionsState& state_;
    QWidget* filters_;
    QLineEdit* search_;
    QComboBox* app_;
    QComboBox* outcome_;
    ui::Label* count_;
    ui::Label* noEntries_;
    ui::Label* noMatch_;
    AuditLogView* log_;
    ui::Button* showMore_;
    ui::Button* export_;
    ui::Label* exportError_;
};

} // namespace zandrel
