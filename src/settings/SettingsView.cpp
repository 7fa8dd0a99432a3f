#include "settings/SettingsView.h"

#include "settings/AISettingsTab.h"
#include "settings/HubSettingsTab.h"
#include "settings/PermissionsTab.h"
#include "ui/SymbolTable.h"

#include <QTabBar>
#include <QTabWidget>

namespace zandrel {

SettingsView::SettingsView(const PageContext& context, QWidget* parent)
    : QScrollArea(parent)
    , tabs_(new QTabWidget)
{
    setObjectName(QStringLiteral("settingsView"));
    // A holder for its content: Tab goes to the controls inside, which scroll into view.
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(tr("Settings"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);

    tabs_->setObjectName(QStringLiteral("settingsTabs"));
    tabs_->setMinimumSize(580, 500);
    tabs_->setDocumentMode(true);
    tabs_->tabBar()->setObjectName(QStringLiteral("settingsTabBar"));
    tabs_->tabBar()->setAccessibleName(tr("Settings sections"));
    tabs_->addTab(new AISettingsTab(context), ui::SymbolTable::icon(QStringLiteral("brain")), tr("AI"));
    tabs_->addTab(
        new HubSettingsTab(context), ui::SymbolTable::icon(QStringLiteral("server.rack")), tr("Hub"));
    tabs_->addTab(new PermissionsTab(context.hubPort),
                  ui::SymbolTable::icon(QStringLiteral("lock.shield")),
                  tr("Permissions"));
    tabs_->setCurrentIndex(0);
    setWidget(tabs_);
}

void SettingsView::reload()
{
    if (auto* tab = dynamic_cast<ui::Reloadable*>(tabs_->currentWidget()))
        tab->reload();
}

} // namespace zandrel
