#pragma once

#include "ui/PageContext.h"
#include "ui/Reloadable.h"

#include <QScrollArea>

class QTabWidget;

namespace zandrel {

// The Settings page: the AI, Hub and Permissions tabs, AI first. Each tab owns its state, so leaving
// Settings and coming back loads everything afresh. The tabs are laid out at no less than 580 x 500;
// a smaller window scrolls.
class SettingsView : public QScrollArea, public ui::Reloadable {
    Q_OBJECT

public:
    explicit SettingsView(const PageContext& context, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    // Reloads the tab shown.
    void reload() override;

private:
    QTabWidget* tabs_;
};

} // namespace zandrel
