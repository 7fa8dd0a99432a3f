#include "settings/HubSettingsTab.h"

#include "preferences/Preferences.h"
#include "hub_api/HubState.h"
#include "platform/Platform.h"
#include "ui/Button.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/SymbolTable.h"
#include "ui/SymbolView.h"
#include "ui/TextField.h"
#include "ui/ToggleSwitch.h"

#include <QHBoxLayout>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace zandrel {

using ui::Label;
using ui::SymbolLabel;
using ui::TextStyle;
using ui::Tone;

namespace {

QHBoxLayout* formRow(QWidget* label, QWidget* value = nullptr)
{
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addStretch(1);
    if (value)
        row->addWidget(value);
    return row;
}

} // namespace

HubSettingsTab::HubSettingsTab(const PageContext& context, QWidget* parent)
    : QScrollArea(parent)
    , context_(context)
    , port_(new ui::TextField(QStringLiteral("3456")))
    , startAtLogin_(new ui::ToggleSwitch)
    , loginItemError_(new Label({}, TextStyle::Caption))
    , keepInTray_(new ui::ToggleSwitch)
    , backgroundCheck_(new ui::ToggleSwitch)
    , keepInTrayCaption_(new Label(tr("This desktop has no system tray, so closing the window quits."),
                                   TextStyle::Caption,
                                   Tone::Secondary))
    , status_(new SymbolLabel(QStringLiteral("circle.fill"), tr("Status"), TextStyle::Body))
    , statusText_(new Label({}, TextStyle::Body, Tone::Secondary))
    , startStop_(new ui::Button(tr("Start"), ui::Button::Kind::Bordered, ui::Button::ControlSize::Small))
    , appCount_(new Label({}, TextStyle::Body, Tone::Secondary))
{
    setObjectName(QStringLiteral("hubSettingsTab"));
    // A holder for its content: Tab goes to the controls inside, which scroll into view.
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);

    port_->setObjectName(QStringLiteral("portField"));
    port_->setAccessibleName(tr("Port"));
    port_->setFixedWidth(80);
    connect(port_, &QLineEdit::returnPressed, this, &HubSettingsTab::applyPort);
    startAtLogin_->setObjectName(QStringLiteral("startAtLogin"));
    startAtLogin_->setAccessibleName(tr("Start Hub on login"));
    connect(startAtLogin_, &QAbstractButton::clicked, this, &HubSettingsTab::setStartAtLogin);
    loginItemError_->setObjectName(QStringLiteral("loginItemError"));
    loginItemError_->setNamedColor(ui::NamedColor::Red);
    loginItemError_->setWordWrap(true);
    loginItemError_->hide();
    keepInTray_->setObjectName(QStringLiteral("keepInTray"));
    keepInTray_->setAccessibleName(tr("Keep running in the tray when the window is closed"));
    connect(keepInTray_, &QAbstractButton::clicked, this, [this](bool on) {
        if (context_.preferences)
            context_.preferences->setKeepInTray(on);
        updateTray();
    });
    keepInTrayCaption_->setObjectName(QStringLiteral("keepInTrayCaption"));
    keepInTrayCaption_->setWordWrap(true);
    statusText_->setObjectName(QStringLiteral("statusText"));
    startStop_->setObjectName(QStringLiteral("startStopButton"));
    connect(startStop_, &QPushButton::clicked, this, [this] {
        if (context_.hubState.isRunning())
            context_.hubState.stopHub();
        else
            context_.hubState.startHub();
    });
    appCount_->setObjectName(QStringLiteral("appCount"));

    auto* server = new ui::GroupBox(tr("Hub Server"));
    server->content()->setSpacing(12);
    server->content()->addLayout(
        formRow(new SymbolLabel(QStringLiteral("network"), tr("Port"), TextStyle::Body), port_));
    server->content()->addLayout(formRow(
        new SymbolLabel(QStringLiteral("power"), tr("Start Hub on login"), TextStyle::Body), startAtLogin_));
    server->content()->addWidget(loginItemError_);
    auto* keepLabel = new SymbolLabel(QStringLiteral("desktopcomputer"),
                                      tr("Keep running in the tray when the window is closed"),
                                      TextStyle::Body);
    // The longest label of the tab: it wraps rather than widening the page past the window.
    keepLabel->label()->setWordWrap(true);
    auto* keepRow = new QHBoxLayout;
    keepRow->addWidget(keepLabel, 1);
    keepRow->addWidget(keepInTray_, 0, Qt::AlignVCenter);
    server->content()->addLayout(keepRow);
    server->content()->addWidget(keepInTrayCaption_);
    auto* checkLabel = new SymbolLabel(
        QStringLiteral("arrow.down.circle"), tr("Check for updates in the background"), TextStyle::Body);
    checkLabel->label()->setWordWrap(true);
    backgroundCheck_->setObjectName(QStringLiteral("backgroundUpdateCheck"));
    backgroundCheck_->setAccessibleName(tr("Check for updates in the background"));
    connect(backgroundCheck_, &QAbstractButton::clicked, this, [this](bool on) {
        if (context_.preferences)
            context_.preferences->setBackgroundUpdateCheck(on);
        updateBackgroundCheck();
    });
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(checkLabel, 1);
    checkRow->addWidget(backgroundCheck_, 0, Qt::AlignVCenter);
    server->content()->addLayout(checkRow);
    auto* statusRow = formRow(status_, statusText_);
    statusRow->addWidget(startStop_);
    if (context_.showHubLog) {
        // Beside Start: where a start that does not work is noticed.
        auto* showLog =
            new ui::Button(tr("Show Log"), ui::Button::Kind::Bordered, ui::Button::ControlSize::Small);
        showLog->setObjectName(QStringLiteral("showHubLogButton"));
        showLog->setAccessibleName(tr("Show the Hub's log"));
        connect(showLog, &QPushButton::clicked, this, [this] { context_.showHubLog(); });
        statusRow->addWidget(showLog);
    }
    server->content()->addLayout(statusRow);

    auto* data = new ui::GroupBox(tr("Data"));
    data->content()->setSpacing(12);
    auto* folder = new Label(QStringLiteral("~/.zandrel"), TextStyle::Body, Tone::Secondary);
    QFont mono = folder->font();
    mono.setFamily(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    folder->setFont(mono);
    auto* reveal = new QToolButton;
    reveal->setObjectName(QStringLiteral("revealButton"));
    reveal->setAutoRaise(true);
    reveal->setIcon(ui::SymbolTable::icon(QStringLiteral("arrow.right.circle")));
    reveal->setToolTip(tr("Show in the file manager"));
    reveal->setAccessibleName(tr("Show the data folder"));
    connect(reveal, &QToolButton::clicked, this, [this] {
        context_.platform.revealFolder(context_.platform.homePath(QStringLiteral(".zandrel")));
    });
    auto* directoryRow =
        formRow(new SymbolLabel(QStringLiteral("folder"), tr("Directory"), TextStyle::Body), folder);
    directoryRow->addWidget(reveal);
    data->content()->addLayout(directoryRow);
    data->content()->addLayout(
        formRow(new SymbolLabel(QStringLiteral("square.grid.2x2"), tr("Apps"), TextStyle::Body), appCount_));

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(20);
    column->addWidget(server);
    column->addWidget(data);
    column->addStretch(1);
    setWidget(content);

    HubState& hub = context_.hubState;
    connect(&hub, &HubState::isRunningChanged, this, &HubSettingsTab::updateStatus);
    connect(&hub, &HubState::appsChanged, this, &HubSettingsTab::updateStatus);
    updateStatus();
    if (Preferences* preferences = context_.preferences) {
        connect(preferences, &Preferences::keepInTrayChanged, this, &HubSettingsTab::updateTray);
        connect(preferences, &Preferences::trayAvailableChanged, this, &HubSettingsTab::updateTray);
        connect(preferences,
                &Preferences::backgroundUpdateCheckChanged,
                this,
                &HubSettingsTab::updateBackgroundCheck);
    }
    updateTray();
    updateBackgroundCheck();
}

std::optional<int> HubSettingsTab::parsePort(const QString& text)
{
    qsizetype start = 0;
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        start = 1;
    if (start == text.size())
        return std::nullopt;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    // A number too large for any port is refused rather than wrapped round.
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

void HubSettingsTab::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    if (event->spontaneous())
        return;
    // From the real situation; reading it changes nothing on disk.
    port_->setText(QString::number(context_.hubState.port()));
    startAtLogin_->setOn(context_.platform.exists(context_.platform.loginItemPath()));
    loginItemError_->hide();
}

void HubSettingsTab::applyPort()
{
    if (const std::optional<int> port = parsePort(port_->text()))
        context_.hubState.setPort(*port);
}

void HubSettingsTab::setStartAtLogin(bool on)
{
    Platform& platform = context_.platform;
    if (on)
        platform.writeLoginItem();
    else
        platform.removeItem(platform.loginItemPath());
    // The switch says what is true now, and why not when it differs from what was asked.
    const bool present = platform.exists(platform.loginItemPath());
    startAtLogin_->setOn(present);
    loginItemError_->setText(present == on ? QString()
                             : on          ? tr("Could not write %1").arg(platform.loginItemPath())
                                           : tr("Could not remove %1").arg(platform.loginItemPath()));
    loginItemError_->setVisible(present != on);
}

void HubSettingsTab::updateBackgroundCheck()
{
    const Preferences* preferences = context_.preferences;
    backgroundCheck_->setEnabled(preferences != nullptr);
    backgroundCheck_->setOn(preferences && preferences->backgroundUpdateCheck());
}

void HubSettingsTab::updateTray()
{
    const Preferences* preferences = context_.preferences;
    const bool available = preferences && preferences->trayAvailable();
    // Without a tray the window could not be brought back: the switch is off and says why.
    keepInTray_->setEnabled(available);
    keepInTray_->setOn(available && preferences->keepInTray());
    keepInTrayCaption_->setVisible(!available);
}

void HubSettingsTab::updateStatus()
{
    const HubState& hub = context_.hubState;
    const bool running = hub.isRunning();
    status_->symbol()->setNamedColor(running ? ui::NamedColor::Green : ui::NamedColor::Red);
    statusText_->setText(running ? tr("Running") : tr("Stopped"));
    startStop_->setText(running ? tr("Stop") : tr("Start"));
    appCount_->setText(QString::number(hub.apps().size()));
}

} // namespace zandrel
