#pragma once

#include "ui/Reloadable.h"

#include <QScrollArea>
#include <qcoro/qcorotask.h>

class QGridLayout;

namespace zandrel {

namespace ui {
class ErrorBanner;
class Label;
class ToggleSwitch;
} // namespace ui
class AuditLogPanel;
class PermissionsState;

// The Permissions tab: a switch for each app's read, write and actions permission, and the recent
// audit log with a refresh button, a filter, a longer log on demand and an export. It loads each time it is
// shown; a failure shows in place.
class PermissionsTab : public QScrollArea, public ui::Reloadable {
    Q_OBJECT

public:
    explicit PermissionsTab(int hubPort, QWidget* parent = nullptr);
    // Loads the apps, their permissions and the audit log again.
    void reload() override;
    ~PermissionsTab() override;

    PermissionsState& state() { return *state_; }
    // The switch of one app's permission ("read", "write", "actions"), if that row is shown.
    ui::ToggleSwitch* toggle(const QString& app, const QString& perm) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuildGrid();

    PermissionsState* state_;
    ui::ErrorBanner* banner_;
    ui::Label* noPermissions_;
    QWidget* grid_;
    QGridLayout* gridLayout_;
    QStringList shownApps_;
    AuditLogPanel* auditLog_;
};

} // namespace zandrel
