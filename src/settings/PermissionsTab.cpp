#include "settings/PermissionsTab.h"

#include "settings/AuditLogPanel.h"
#include "settings/PermissionsState.h"
#include "ui/Caps.h"
#include "ui/ClearLayout.h"
#include "ui/Divider.h"
#include "ui/ErrorBanner.h"
#include "ui/FocusOrder.h"
#include "ui/Formats.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/SymbolTable.h"
#include "ui/SymbolView.h"
#include "ui/Theme.h"
#include "ui/ToggleSwitch.h"

#include <QGridLayout>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace zandrel {

using ui::Label;
using ui::TextStyle;
using ui::Tone;

namespace {

const char* const kKinds[] = {"read", "write", "actions"};
// How each kind's switch is named to assistive technology, beside the app.
const char* const kKindNames[] = {QT_TRANSLATE_NOOP("zandrel::PermissionsTab", "read"),
                                  QT_TRANSLATE_NOOP("zandrel::PermissionsTab", "write"),
                                  QT_TRANSLATE_NOOP("zandrel::PermissionsTab", "actions")};

ui::SymbolLabel* boxHeading(const QString& symbol, const QString& text)
{
    auto* heading = new ui::SymbolLabel(symbol, text, TextStyle::Headline);
    heading->label()->setTextStyle(TextStyle::Headline, true);
    return heading;
}

} // namespace

PermissionsTab::PermissionsTab(int hubPort, QWidget* parent)
    : QScrollArea(parent)
    , state_(new PermissionsState(hubPort, this))
    , banner_(new ui::ErrorBanner)
    , noPermissions_(new Label(tr("No permission data available"), TextStyle::Body, Tone::Secondary))
    , grid_(new QWidget)
    , gridLayout_(new QGridLayout(grid_))
    , auditLog_(new AuditLogPanel(*state_))
{
    setObjectName(QStringLiteral("permissionsTab"));
    // A holder for its content: Tab goes to the controls inside, which scroll into view.
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    noPermissions_->setObjectName(QStringLiteral("noPermissions"));
    gridLayout_->setContentsMargins(0, 0, 0, 0);
    gridLayout_->setHorizontalSpacing(16);
    gridLayout_->setVerticalSpacing(8);
    gridLayout_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* permissions = new ui::GroupBox({});
    permissions->content()->setSpacing(10);
    permissions->content()->addWidget(boxHeading(QStringLiteral("lock.shield.fill"), tr("App Permissions")));
    permissions->content()->addWidget(noPermissions_);
    permissions->content()->addWidget(grid_);

    auto* audit = new ui::GroupBox({});
    audit->content()->setSpacing(10);
    auto* auditHeader = new QHBoxLayout;
    auditHeader->addWidget(boxHeading(QStringLiteral("list.bullet.rectangle"), tr("Recent Audit Log")));
    auditHeader->addStretch(1);
    auto* refresh = new QToolButton;
    refresh->setObjectName(QStringLiteral("refreshButton"));
    refresh->setAutoRaise(true);
    refresh->setIcon(ui::SymbolTable::icon(QStringLiteral("arrow.clockwise")));
    refresh->setToolTip(tr("Refresh"));
    refresh->setAccessibleName(tr("Refresh permissions and audit log"));
    connect(refresh, &QToolButton::clicked, state_, &PermissionsState::load);
    auditHeader->addWidget(refresh);
    audit->content()->addLayout(auditHeader);
    audit->content()->addWidget(auditLog_);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(20);
    column->addWidget(banner_);
    column->addWidget(permissions);
    column->addWidget(audit);
    column->addStretch(1);
    setWidget(content);

    connect(state_, &PermissionsState::permissionsChanged, this, &PermissionsTab::rebuildGrid);
    connect(state_, &PermissionsState::isLoadingChanged, this, &PermissionsTab::rebuildGrid);
    connect(state_, &PermissionsState::errorChanged, this, [this] { banner_->setError(state_->error()); });
    rebuildGrid();
}

PermissionsTab::~PermissionsTab() = default;

void PermissionsTab::reload()
{
    state_->load();
}

void PermissionsTab::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous())
        state_->load();
}

ui::ToggleSwitch* PermissionsTab::toggle(const QString& app, const QString& perm) const
{
    const qsizetype row = shownApps_.indexOf(app);
    const int column = perm == u"read" ? 1 : perm == u"write" ? 2 : perm == u"actions" ? 3 : -1;
    if (row < 0 || column < 0)
        return nullptr;
    QLayoutItem* item = gridLayout_->itemAtPosition(int(row) + 2, column);
    return item ? qobject_cast<ui::ToggleSwitch*>(item->widget()) : nullptr;
}

void PermissionsTab::rebuildGrid()
{
    const PermissionMap& permissions = state_->permissions();
    const bool empty = permissions.isEmpty() && !state_->isLoading();
    noPermissions_->setVisible(empty);
    grid_->setVisible(!empty);
    // Ascending; a Hub listing thousands of apps gets the first five hundred rows.
    const QStringList apps = permissions.keys().mid(0, ui::cap::rows);
    if (apps != shownApps_ || gridLayout_->count() == 0) {
        ui::clearLayout(gridLayout_);
        int column = 0;
        for (const QString& title : {tr("App"), tr("Read"), tr("Write"), tr("Actions")}) {
            auto* header = new Label(title, TextStyle::Caption, Tone::Secondary);
            QFont semibold = header->font();
            semibold.setWeight(QFont::DemiBold);
            header->setFont(semibold);
            gridLayout_->addWidget(header, 0, column++);
        }
        gridLayout_->addWidget(new ui::Divider, 1, 0, 1, 4);
        for (int row = 0; row < apps.size(); ++row) {
            auto* name = new Label(ui::shortened(apps[row], ui::cap::label));
            name->setToolTip(apps[row].left(500).toHtmlEscaped());
            QFont medium = name->font();
            medium.setWeight(QFont::Medium);
            name->setFont(medium);
            gridLayout_->addWidget(name, row + 2, 0);
            for (int kind = 0; kind < 3; ++kind) {
                auto* toggle = new ui::ToggleSwitch;
                toggle->setObjectName(QStringLiteral("permissionSwitch"));
                const QString app = apps[row];
                const QString perm = QLatin1String(kKinds[kind]);
                toggle->setAccessibleName(tr("%1: %2").arg(app, tr(kKindNames[kind])));
                connect(toggle, &QAbstractButton::clicked, this, [this, app, perm](bool on) {
                    state_->togglePermission(app, perm, on);
                });
                gridLayout_->addWidget(toggle, row + 2, kind + 1, Qt::AlignLeft);
            }
        }
        gridLayout_->setColumnStretch(4, 1);
        shownApps_ = apps;
        // The switches come after the refresh button and the log were made; Tab reads them first.
        ui::orderFocusChain(this);
    }
    for (const QString& app : std::as_const(shownApps_)) {
        const PermissionSet set = permissions.value(app);
        toggle(app, QStringLiteral("read"))->setOn(set.read.value_or(false));
        toggle(app, QStringLiteral("write"))->setOn(set.write.value_or(false));
        toggle(app, QStringLiteral("actions"))->setOn(set.actions.value_or(false));
    }
}

} // namespace zandrel
