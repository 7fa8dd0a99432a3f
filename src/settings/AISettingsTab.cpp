#include "settings/AISettingsTab.h"

#include "hub_api/HubState.h"
#include "settings/AISettingsState.h"
#include "settings/FallbackChainModel.h"
#include "settings/FallbackChainView.h"
#include "settings/ProviderCard.h"
#include "settings/UsageBar.h"
#include "settings/UsageCard.h"
#include "ui/Caps.h"
#include "ui/Divider.h"
#include "ui/ErrorBanner.h"
#include "ui/FocusOrder.h"
#include "ui/Formats.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/Refill.h"
#include "ui/Spinner.h"
#include "ui/SymbolTable.h"
#include "ui/SymbolView.h"
#include "ui/Theme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
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

const char* const kKnownIds[] = {"anthropic", "openai", "ollama"};

ui::GroupBox* section(const QString& symbol, const QString& title, const QString& name)
{
    auto* box = new ui::GroupBox({});
    box->setObjectName(name);
    box->content()->setSpacing(10);
    auto* heading = new SymbolLabel(symbol, title, TextStyle::Headline);
    heading->label()->setTextStyle(TextStyle::Headline, true);
    box->content()->addWidget(heading);
    return box;
}

using Entries = ui::ComboEntries;
using ui::refill;

} // namespace

AISettingsTab::AISettingsTab(const PageContext& context, QWidget* parent)
    : QScrollArea(parent)
    , context_(context)
    , state_(new AISettingsState(context.platform, context.hubPort, this))
    , banner_(new ui::ErrorBanner)
    , busy_(new ui::Spinner(14))
{
    setObjectName(QStringLiteral("aiSettingsTab"));
    // A holder for its content: Tab goes to the controls inside, which scroll into view.
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    busy_->setObjectName(QStringLiteral("aiBusy"));
    busy_->hide();

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(20);
    auto* top = new QHBoxLayout;
    top->addWidget(banner_, 1);
    top->addWidget(busy_, 0, Qt::AlignRight | Qt::AlignTop);
    column->addLayout(top);
    column->addWidget(makeProviders());
    column->addWidget(makeDefaultModel());
    column->addWidget(makeFallback());
    column->addWidget(makeUsage());
    column->addStretch(1);
    setWidget(content);

    // Each section follows the signals of what it shows.
    for (auto signal : {&AISettingsState::configChanged,
                        &AISettingsState::modelsChanged,
                        &AISettingsState::testingProviderChanged,
                        &AISettingsState::testResultsChanged,
                        &AISettingsState::expandedProviderChanged,
                        &AISettingsState::editingKeysChanged,
                        &AISettingsState::showKeysChanged,
                        &AISettingsState::authStatusChanged,
                        &AISettingsState::oauthPendingStateChanged,
                        &AISettingsState::oauthCodeChanged,
                        &AISettingsState::oauthLoadingChanged,
                        &AISettingsState::oauthErrorChanged,
                        &AISettingsState::showManualKeyChanged})
        connect(state_, signal, this, &AISettingsTab::syncProviders);
    for (auto signal : {&AISettingsState::modelsChanged,
                        &AISettingsState::defaultModelChanged,
                        &AISettingsState::configChanged})
        connect(state_, signal, this, &AISettingsTab::syncDefaultModel);
    connect(&context_.hubState, &HubState::appsChanged, this, &AISettingsTab::syncOverrides);
    for (auto signal : {&AISettingsState::configChanged,
                        &AISettingsState::modelsChanged,
                        &AISettingsState::testResultsChanged,
                        &AISettingsState::authStatusChanged})
        connect(state_, signal, this, &AISettingsTab::syncFallback);
    connect(state_, &AISettingsState::usageChanged, this, &AISettingsTab::syncUsage);
    connect(state_, &AISettingsState::errorChanged, this, [this] { banner_->setError(state_->error()); });
    connect(
        state_, &AISettingsState::isLoadingChanged, this, [this] { busy_->setVisible(state_->isLoading()); });

    syncProviders();
    syncDefaultModel();
    syncFallback();
    syncUsage();
}

AISettingsTab::~AISettingsTab() = default;

void AISettingsTab::reload()
{
    state_->load();
}

void AISettingsTab::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous())
        state_->load();
}

QWidget* AISettingsTab::makeProviders()
{
    auto* box = section(QStringLiteral("key.fill"), tr("Providers"), QStringLiteral("providersSection"));
    QWidget* heading = box->content()->itemAt(0)->widget();
    box->content()->removeWidget(heading);
    auto* header = new QHBoxLayout;
    header->addWidget(heading);
    header->addStretch(1);
    add_ = new QToolButton;
    add_->setObjectName(QStringLiteral("addProvider"));
    add_->setAutoRaise(true);
    add_->setPopupMode(QToolButton::InstantPopup);
    add_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    add_->setIcon(ui::SymbolTable::icon(QStringLiteral("plus.circle.fill"), QPalette::Highlight));
    add_->setText(tr("Add Provider"));
    add_->setFont(ui::Theme::font(TextStyle::Caption));
    auto* menu = new QMenu(add_);
    menu->setObjectName(QStringLiteral("addProviderMenu"));
    for (const char* id : kKnownIds) {
        const QString known = QLatin1String(id);
        QAction* action = menu->addAction(ui::SymbolTable::icon(ProviderCard::icon(known)),
                                          ProviderCard::displayName(known));
        connect(action, &QAction::triggered, this, [this, known] { state_->addProvider(known); });
        addActions_.insert(known, action);
    }
    add_->setMenu(menu);
    header->addWidget(add_);
    box->content()->insertLayout(0, header);

    noProviders_ =
        new Label(tr("No providers configured. Add one to get started."), TextStyle::Body, Tone::Secondary);
    noProviders_->setObjectName(QStringLiteral("noProviders"));
    noProviders_->setWordWrap(true);
    noProviders_->setContentsMargins(0, 8, 0, 8);
    box->content()->addWidget(noProviders_);
    cardsLayout_ = new QVBoxLayout;
    cardsLayout_->setSpacing(10);
    box->content()->addLayout(cardsLayout_);
    return box;
}

void AISettingsTab::syncProviders()
{
    const QMap<QString, AIProviderConfig> providers =
        state_->config().providers.value_or(QMap<QString, AIProviderConfig>());
    // The menu offers what is not configured; hiding an entry leaves an open menu open.
    bool offered = false;
    for (auto it = addActions_.cbegin(); it != addActions_.cend(); ++it) {
        it.value()->setVisible(!providers.contains(it.key()));
        offered = offered || it.value()->isVisible();
    }
    add_->setEnabled(offered);
    noProviders_->setVisible(providers.isEmpty());

    // Cards are keyed by provider: one that stays is updated, never made again.
    for (auto it = cards_.begin(); it != cards_.end();) {
        if (providers.contains(it.key())) {
            ++it;
            continue;
        }
        // Its own Remove button may be the caller: it goes once the click has been handled.
        ProviderCard* gone = it.value();
        cardsLayout_->removeWidget(gone);
        gone->hide();
        gone->deleteLater();
        it = cards_.erase(it);
    }
    int position = 0;
    bool added = false;
    for (auto it = providers.cbegin(); it != providers.cend(); ++it, ++position) {
        ProviderCard* card = cards_.value(it.key());
        if (!card) {
            card = new ProviderCard(it.key(), *state_, context_.platform);
            cards_.insert(it.key(), card);
            cardsLayout_->insertWidget(position, card); // ids in ascending order, as the map keeps them
            added = true;
        } else {
            card->refresh();
        }
    }
    // A new card joins the Tab chain where it shows, not after everything made before it.
    if (added)
        ui::orderFocusChain(this);
}

QWidget* AISettingsTab::makeDefaultModel()
{
    auto* box = section(QStringLiteral("cpu"), tr("Default Model"), QStringLiteral("defaultModelSection"));
    noModels_ = new Label(
        tr("No models available \u2014 configure a provider first"), TextStyle::Caption, Tone::Secondary);
    noModels_->setObjectName(QStringLiteral("noModels"));
    box->content()->addWidget(noModels_);
    defaultPicker_ = new QComboBox;
    defaultPicker_->setObjectName(QStringLiteral("defaultModelPicker"));
    defaultPicker_->setAccessibleName(tr("Model"));
    // Only the user's pick is saved; what a load brings is what the Hub has.
    connect(defaultPicker_, &QComboBox::activated, this, [this](int index) {
        state_->chooseDefaultModel(defaultPicker_->itemData(index).toString());
    });
    box->content()->addWidget(defaultPicker_);

    overrides_ = new QWidget;
    auto* overrides = new QVBoxLayout(overrides_);
    overrides->setContentsMargins(0, 0, 0, 0);
    overrides->setSpacing(10);
    overrides->addWidget(new ui::Divider);
    overrides->addWidget(new Label(tr("Per-App Overrides"), TextStyle::Subheadline, Tone::Secondary));
    overrideRows_ = new QVBoxLayout;
    overrideRows_->setSpacing(6);
    overrides->addLayout(overrideRows_);
    box->content()->addWidget(overrides_);
    return box;
}

void AISettingsTab::syncDefaultModel()
{
    const QList<AIModelInfo> models = state_->models().mid(0, ui::cap::rows);
    noModels_->setVisible(models.isEmpty());
    defaultPicker_->setVisible(!models.isEmpty());
    Entries entries;
    for (const AIModelInfo& model : models)
        entries.append({QStringLiteral("%1 (%2)").arg(ui::shortened(model.name, ui::cap::name),
                                                      ui::shortened(model.provider, ui::cap::shortName)),
                        model.id});
    refill(defaultPicker_, entries, state_->defaultModel());
    syncOverrides();
}

void AISettingsTab::syncOverrides()
{
    QList<AppInfo> apps;
    QStringList ids;
    for (const AppInfo& app : context_.hubState.apps()) {
        if (ids.contains(app.id) || apps.size() >= ui::cap::strip)
            continue;
        ids.append(app.id);
        apps.append(app);
    }
    overrides_->setVisible(!apps.isEmpty());

    // Rows are keyed by app: an open drop-down of an app that stays is left alone.
    for (auto it = overrideRowOf_.begin(); it != overrideRowOf_.end();) {
        if (ids.contains(it.key())) {
            ++it;
            continue;
        }
        overrideRows_->removeWidget(it.value());
        it.value()->hide();
        it.value()->deleteLater();
        it = overrideRowOf_.erase(it);
    }
    Entries entries{{tr("Default"), QString()}};
    for (const AIModelInfo& model : state_->models().mid(0, ui::cap::rows))
        entries.append({ui::shortened(model.name, ui::cap::name), model.id});
    const QMap<QString, QString> chosen = state_->config().appOverrides.value_or(QMap<QString, QString>());
    bool moved = false;
    for (int i = 0; i < apps.size(); ++i) {
        const AppInfo& app = apps[i];
        QWidget* row = overrideRowOf_.value(app.id);
        if (!row) {
            row = new QWidget;
            auto* layout = new QHBoxLayout(row);
            layout->setContentsMargins(0, 0, 0, 0);
            auto* name = new SymbolLabel(
                ui::iconForApp(app.id), ui::shortened(app.name, ui::cap::shortName), TextStyle::Body);
            name->setObjectName(QStringLiteral("overrideName"));
            name->setFixedWidth(120);
            layout->addWidget(name);
            auto* picker = new QComboBox;
            picker->setObjectName(QStringLiteral("override_") + app.id);
            picker->setAccessibleName(tr("Model for %1").arg(app.name));
            const QString appId = app.id;
            connect(picker, &QComboBox::activated, this, [this, picker, appId](int index) {
                state_->chooseAppOverride(appId, picker->itemData(index).toString());
            });
            layout->addWidget(picker, 1);
            overrideRowOf_.insert(app.id, row);
        }
        // In the Hub's order; moving a row within the layout keeps the widget as it is.
        if (overrideRows_->indexOf(row) != i) {
            overrideRows_->removeWidget(row);
            overrideRows_->insertWidget(i, row);
            moved = true;
        }
        row->findChild<SymbolLabel*>(QStringLiteral("overrideName"))
            ->label()
            ->setText(ui::shortened(app.name, ui::cap::shortName));
        refill(row->findChild<QComboBox*>(), entries, chosen.value(app.id));
    }
    if (moved)
        ui::orderFocusChain(this);
}

QWidget* AISettingsTab::makeFallback()
{
    fallbackSection_ = section(
        QStringLiteral("arrow.triangle.branch"), tr("Fallback Chain"), QStringLiteral("fallbackSection"));
    fallbackSection_->content()->addWidget(new Label(
        tr("If the primary provider fails, try the next in order."), TextStyle::Caption, Tone::Secondary));
    fallbackModel_ = new FallbackChainModel(*state_, this);
    fallbackView_ = new FallbackChainView;
    fallbackView_->setObjectName(QStringLiteral("fallbackList"));
    fallbackView_->setAccessibleName(tr("Fallback order; Alt+Up and Alt+Down move a provider"));
    fallbackView_->setModel(fallbackModel_);
    // The whole order is stored, so a first move keeps every entry, those scrolled out of view too.
    connect(fallbackModel_, &FallbackChainModel::orderEdited, this, [this](const QStringList& order) {
        state_->chooseFallbackOrder(order);
    });
    fallbackView_->dragEnded = [this] { syncFallback(); };
    fallbackSection_->content()->addWidget(fallbackView_);
    return fallbackSection_;
}

void AISettingsTab::syncFallback()
{
    const AIConfig& config = state_->config();
    fallbackSection_->setVisible(config.providers && config.providers->size() >= 2);
    // A new order waits for a drag to end: its rows are what the drag holds.
    if (fallbackView_->isDragging())
        return;
    const QStringList order = state_->fallbackChain();
    const QString current = fallbackView_->currentIndex().data(FallbackChainModel::IdRole).toString();
    const bool reordered = order != fallbackModel_->order();
    fallbackModel_->setOrder(order);
    fallbackView_->fitRows(int(order.size()));
    if (reordered && !current.isEmpty() && order.contains(current))
        fallbackView_->setCurrentIndex(fallbackModel_->index(int(order.indexOf(current))));
}

QWidget* AISettingsTab::makeUsage()
{
    auto* box = section(QStringLiteral("chart.bar.fill"), tr("Usage & Cost"), QStringLiteral("usageSection"));
    noUsage_ = new Label(tr("No usage data yet"), TextStyle::Caption, Tone::Secondary);
    noUsage_->setObjectName(QStringLiteral("noUsage"));
    box->content()->addWidget(noUsage_);
    usageCards_ = new QWidget;
    auto* cards = new QHBoxLayout(usageCards_);
    cards->setContentsMargins(0, 0, 0, 0);
    for (const QString& title : {tr("Today"), tr("This Week"), tr("This Month")}) {
        auto* card = new UsageCard(title);
        periods_.append(card);
        cards->addWidget(card, 1);
    }
    box->content()->addWidget(usageCards_);

    breakdown_ = new QWidget;
    auto* column = new QVBoxLayout(breakdown_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(new ui::Divider);
    column->addWidget(new Label(tr("Per-App Breakdown"), TextStyle::Subheadline, Tone::Secondary));
    auto* holder = new QWidget;
    holder->setObjectName(QStringLiteral("perAppBreakdown"));
    breakdownGrid_ = new QGridLayout(holder);
    breakdownGrid_->setContentsMargins(0, 0, 0, 0);
    breakdownGrid_->setHorizontalSpacing(16);
    breakdownGrid_->setVerticalSpacing(6);
    breakdownGrid_->setAlignment(Qt::AlignLeft);
    int at = 0;
    for (const QString& title : {tr("App"), tr("Requests"), tr("Tokens"), tr("Cost")})
        breakdownGrid_->addWidget(new Label(title, TextStyle::Caption, Tone::Secondary), 0, at++);
    breakdownGrid_->setColumnStretch(5, 1);
    column->addWidget(holder);
    box->content()->addWidget(breakdown_);
    return box;
}

void AISettingsTab::syncUsage()
{
    const std::optional<UsageResponse>& usage = state_->usage();
    noUsage_->setVisible(!usage);
    usageCards_->setVisible(usage.has_value());
    const UsageResponse none;
    const UsageResponse& shown = usage ? *usage : none;
    periods_[0]->setSummary(shown.today);
    periods_[1]->setSummary(shown.week);
    periods_[2]->setSummary(shown.month);

    const QMap<QString, UsageSummary> perApp = shown.perApp.value_or(QMap<QString, UsageSummary>());
    breakdown_->setVisible(!perApp.isEmpty());
    // Rows of labels are reused; only a change in the number of apps adds or removes some.
    const int rows = qMin(int(perApp.size()), int(ui::cap::rows));
    for (int row = breakdownRows_; row < rows; ++row) {
        for (int column = 0; column < 4; ++column) {
            auto* cell = new Label;
            if (column == 0) {
                QFont medium = cell->font();
                medium.setWeight(QFont::Medium);
                cell->setFont(medium);
            }
            breakdownGrid_->addWidget(cell, row + 1, column);
        }
        breakdownGrid_->addWidget(new UsageBar, row + 1, 4, Qt::AlignVCenter);
    }
    for (int row = rows; row < breakdownRows_; ++row) {
        for (int column = 0; column < 5; ++column) {
            QLayoutItem* item = breakdownGrid_->itemAtPosition(row + 1, column);
            QWidget* cell = item ? item->widget() : nullptr;
            breakdownGrid_->removeWidget(cell);
            delete cell;
        }
    }
    breakdownRows_ = rows;
    const QList<qreal> shares = UsageBar::fractions(perApp.values());
    int row = 1;
    for (auto it = perApp.cbegin(); it != perApp.cend() && row <= rows; ++it, ++row) {
        static_cast<UsageBar*>(breakdownGrid_->itemAtPosition(row, 4)->widget())
            ->setUsage(*it, shares.at(row - 1));
        qint64 tokens = 0;
        if (__builtin_add_overflow(it->input_tokens, it->output_tokens, &tokens))
            tokens = std::numeric_limits<qint64>::max(); // absurd counts from the Hub must not wrap round
        const QString texts[] = {ui::shortened(it.key(), ui::cap::label),
                                 QString::number(it->count),
                                 ui::formatTokens(tokens),
                                 ui::costText(it->cost_estimate)};
        for (int column = 0; column < 4; ++column)
            static_cast<QLabel*>(breakdownGrid_->itemAtPosition(row, column)->widget())
                ->setText(texts[column]);
    }
}

} // namespace zandrel
