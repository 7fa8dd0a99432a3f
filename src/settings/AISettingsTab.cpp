#include "settings/AISettingsTab.h"

#include "hub_api/HubAPIClient.h"
#include "hub_api/HubState.h"
#include "settings/AISettingsState.h"
#include "settings/ProviderCard.h"
#include "ui/Divider.h"
#include "ui/ErrorBanner.h"
#include "ui/Formats.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/PageLife.h"
#include "ui/Spinner.h"
#include "ui/SymbolTable.h"
#include "ui/SymbolView.h"
#include "ui/Theme.h"
#include "wire/Error.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTimer>
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

// One of the three usage periods: cost, tokens in and out, requests.
class UsageCard : public QWidget {
public:
    UsageCard(const QString& title, const std::optional<UsageSummary>& summary)
    {
        setObjectName(QStringLiteral("usageCard"));
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(10, 10, 10, 10);
        column->setSpacing(4);
        column->addWidget(new Label(title, TextStyle::Caption, Tone::Secondary));
        if (!summary) {
            auto* none = new Label(QStringLiteral("\u2014"), TextStyle::Title3, Tone::Tertiary);
            column->addWidget(none);
            return;
        }
        auto* cost = new Label(ui::costText(summary->cost_estimate), TextStyle::Title3);
        cost->setTextStyle(TextStyle::Title3, true);
        cost->setObjectName(QStringLiteral("cost"));
        column->addWidget(cost);
        auto* tokens = new QHBoxLayout;
        tokens->setSpacing(8);
        auto* in = new SymbolLabel(QStringLiteral("arrow.down.circle"),
                                   ui::formatTokens(summary->input_tokens) + QStringLiteral(" in"),
                                   TextStyle::Caption2,
                                   Tone::Secondary);
        in->setObjectName(QStringLiteral("tokensIn"));
        auto* out = new SymbolLabel(QStringLiteral("arrow.up.circle"),
                                    ui::formatTokens(summary->output_tokens) + QStringLiteral(" out"),
                                    TextStyle::Caption2,
                                    Tone::Secondary);
        out->setObjectName(QStringLiteral("tokensOut"));
        tokens->addWidget(in);
        tokens->addWidget(out);
        tokens->addStretch(1);
        column->addLayout(tokens);
        auto* requests = new Label(QStringLiteral("%1 request%2")
                                       .arg(summary->count)
                                       .arg(summary->count == 1 ? QString() : QStringLiteral("s")),
                                   TextStyle::Caption2,
                                   Tone::Tertiary);
        requests->setObjectName(QStringLiteral("requests"));
        column->addWidget(requests);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 6, 6);
        QColor fill = ui::Theme::textColor(Tone::Quaternary, palette());
        fill.setAlphaF(fill.alphaF() * 0.5);
        painter.fillPath(shape, fill);
    }
};

// Rows dragged with the mouse, or moved with Alt+Up and Alt+Down.
class FallbackList : public QListWidget {
public:
    std::function<void()> moved;
    // Told when a drag starts and ends: nothing may be rebuilt under the drag's own event loop.
    std::function<void(bool)> dragging;

protected:
    void startDrag(Qt::DropActions actions) override
    {
        if (dragging)
            dragging(true);
        QListWidget::startDrag(actions);
        if (dragging)
            dragging(false);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int row = currentRow();
        const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
        if (event->modifiers().testFlag(Qt::AltModifier) && step != 0 && row >= 0 && row + step >= 0 &&
            row + step < count()) {
            QListWidgetItem* item = takeItem(row);
            insertItem(row + step, item);
            setCurrentRow(row + step);
            if (moved)
                moved();
            return;
        }
        QListWidget::keyPressEvent(event);
    }
    void dropEvent(QDropEvent* event) override
    {
        QListWidget::dropEvent(event);
        if (moved)
            moved();
    }
};

ui::NamedColor statusColor(ProviderStatus status)
{
    switch (status) {
    case ProviderStatus::Connected:
        return ui::NamedColor::Green;
    case ProviderStatus::NoKey:
        return ui::NamedColor::Red;
    case ProviderStatus::Error:
        return ui::NamedColor::Yellow;
    case ProviderStatus::Unknown:
        return ui::NamedColor::Gray;
    }
    return ui::NamedColor::Gray;
}

constexpr int kColorRole = Qt::UserRole + 1;
constexpr int kPositionRole = Qt::UserRole + 2;

// A fallback row: the drag handle, the position, the provider's status colour and its name.
class FallbackRow : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QPalette& palette = option.palette;
        if (option.state.testFlag(QStyle::State_Selected) || option.state.testFlag(QStyle::State_HasFocus))
            painter->fillRect(option.rect, ui::Theme::textColor(Tone::Quaternary, palette));
        const QRect row = option.rect.adjusted(6, 0, -6, 0);
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(row.left(),
                            row.center().y() - 7,
                            ui::SymbolTable::pixmap(QStringLiteral("line.3.horizontal"),
                                                    {14, 14},
                                                    ui::Theme::textColor(Tone::Tertiary, palette),
                                                    dpr));
        QFont digits = ui::Theme::font(TextStyle::Caption);
        digits.setFamily(QStringLiteral("monospace"));
        painter->setFont(digits);
        painter->setPen(ui::Theme::textColor(Tone::Secondary, palette));
        painter->drawText(QRect(row.left() + 22, row.top(), 24, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(kPositionRole).toString());
        painter->setPen(Qt::NoPen);
        painter->setBrush(
            ui::Theme::color(static_cast<ui::NamedColor>(index.data(kColorRole).toInt()), palette));
        painter->drawEllipse(QRectF(row.left() + 48, row.center().y() - 4, 8, 8));
        painter->setFont(ui::Theme::font(TextStyle::Body));
        painter->setPen(palette.color(QPalette::Text));
        painter->drawText(QRect(row.left() + 64, row.top(), row.width() - 64, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

AISettingsTab::AISettingsTab(const PageContext& context, QWidget* parent)
    : QScrollArea(parent)
    , context_(context)
    , state_(new AISettingsState(context.platform, context.hubPort, this))
    , banner_(new ui::ErrorBanner)
    , busy_(new ui::Spinner(14))
{
    setObjectName(QStringLiteral("aiSettingsTab"));
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
    sections_ = new QVBoxLayout;
    sections_->setSpacing(20);
    column->addLayout(sections_);
    column->addStretch(1);
    setWidget(content);

    // Typing (keys, the pasted code) changes the state without rebuilding the fields being typed in.
    for (auto signal : {&AISettingsState::configChanged,
                        &AISettingsState::modelsChanged,
                        &AISettingsState::defaultModelChanged,
                        &AISettingsState::usageChanged,
                        &AISettingsState::testingProviderChanged,
                        &AISettingsState::testResultsChanged,
                        &AISettingsState::expandedProviderChanged,
                        &AISettingsState::authStatusChanged,
                        &AISettingsState::oauthPendingStateChanged,
                        &AISettingsState::oauthLoadingChanged,
                        &AISettingsState::oauthErrorChanged,
                        &AISettingsState::showManualKeyChanged})
        connect(state_, signal, this, &AISettingsTab::scheduleRebuild);
    connect(&context_.hubState, &HubState::appsChanged, this, &AISettingsTab::scheduleRebuild);
    connect(state_, &AISettingsState::editingKeysChanged, this, &AISettingsTab::syncKeyFields);
    connect(state_, &AISettingsState::showKeysChanged, this, &AISettingsTab::syncKeyFields);
    // Every change of the default model is sent to the Hub, but the first load's is not a change: it is
    // what the Hub already has. A save's own reload brings the same value back, which changes nothing.
    connect(state_, &AISettingsState::defaultModelChanged, this, [this] {
        if (firstLoadDone_)
            state_->saveConfig();
    });
    connect(state_, &AISettingsState::isLoadingChanged, this, [this] {
        if (!state_->isLoading())
            firstLoadDone_ = true;
    });
    connect(state_, &AISettingsState::errorChanged, this, [this] { banner_->setError(state_->error()); });
    connect(
        state_, &AISettingsState::isLoadingChanged, this, [this] { busy_->setVisible(state_->isLoading()); });
    rebuildNow();
}

AISettingsTab::~AISettingsTab() = default;

void AISettingsTab::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous())
        state_->load();
}

void AISettingsTab::scheduleRebuild()
{
    if (rebuildPending_)
        return;
    rebuildPending_ = true;
    if (dragging_)
        return; // rebuilt when the drag ends
    QTimer::singleShot(0, this, [this] {
        if (rebuildPending_ && !dragging_)
            rebuildNow();
    });
}

void AISettingsTab::setDragging(bool dragging)
{
    dragging_ = dragging;
    if (!dragging && rebuildPending_) {
        rebuildPending_ = false;
        scheduleRebuild();
    }
}

void AISettingsTab::rebuildNow()
{
    rebuildPending_ = false;
    // Whatever had the keyboard gets it back in the new build: typing goes on through a reload.
    QString focusCard;
    QString focusName;
    int cursor = -1;
    if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus)) {
        focusName = focus->objectName();
        for (QWidget* w = focus; w && w != this; w = w->parentWidget()) {
            if (auto* card = qobject_cast<ProviderCard*>(w)) {
                focusCard = card->id();
                break;
            }
        }
        if (auto* field = qobject_cast<QLineEdit*>(focus))
            cursor = field->cursorPosition();
    }
    while (QLayoutItem* item = sections_->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            // Out of the tab at once, deleted later: a menu or button of it may still be on the stack.
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
    fallback_ = nullptr;
    sections_->addWidget(makeProviders());
    sections_->addWidget(makeDefaultModel());
    if (state_->config().providers && state_->config().providers->size() >= 2)
        sections_->addWidget(makeFallback());
    sections_->addWidget(makeUsage());

    if (focusName.isEmpty())
        return;
    QWidget* scope = this;
    if (!focusCard.isEmpty()) {
        for (ProviderCard* card : widget()->findChildren<ProviderCard*>()) {
            if (card->id() == focusCard)
                scope = card;
        }
    }
    if (QWidget* again = scope->findChild<QWidget*>(focusName)) {
        again->setFocus(Qt::OtherFocusReason);
        if (auto* field = qobject_cast<QLineEdit*>(again); field && cursor >= 0)
            field->setCursorPosition(cursor);
    }
}

void AISettingsTab::syncKeyFields()
{
    // A load can replace a typed key without anything else changing: the field shows what Save sends.
    for (ProviderCard* card : widget()->findChildren<ProviderCard*>()) {
        if (auto* field = card->findChild<QLineEdit*>(QStringLiteral("apiKeyField"))) {
            const QString key = state_->editingKeys().value(card->id());
            if (field->text() != key)
                field->setText(key);
            field->setEchoMode(state_->showKeys().value(card->id(), false) ? QLineEdit::Normal
                                                                           : QLineEdit::Password);
        }
    }
}

QWidget* AISettingsTab::makeProviders()
{
    auto* box =
        section(QStringLiteral("key.fill"), QStringLiteral("Providers"), QStringLiteral("providersSection"));
    auto* headerRow = static_cast<QBoxLayout*>(box->content());
    QWidget* heading = headerRow->itemAt(0)->widget();
    headerRow->removeWidget(heading);
    auto* header = new QHBoxLayout;
    header->addWidget(heading);
    header->addStretch(1);

    const QMap<QString, AIProviderConfig> providers =
        state_->config().providers.value_or(QMap<QString, AIProviderConfig>());
    auto* add = new QToolButton;
    add->setObjectName(QStringLiteral("addProvider"));
    add->setAutoRaise(true);
    add->setPopupMode(QToolButton::InstantPopup);
    add->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    add->setIcon(ui::SymbolTable::icon(QStringLiteral("plus.circle.fill"), QPalette::Highlight));
    add->setText(QStringLiteral("Add Provider"));
    add->setFont(ui::Theme::font(TextStyle::Caption));
    auto* menu = new QMenu(add);
    for (const char* id : kKnownIds) {
        const QString known = QLatin1String(id);
        if (providers.contains(known))
            continue;
        QAction* action = menu->addAction(ui::SymbolTable::icon(ProviderCard::icon(known)),
                                          ProviderCard::displayName(known));
        connect(action, &QAction::triggered, this, [this, known] { state_->addProvider(known); });
    }
    add->setMenu(menu);
    add->setEnabled(!menu->isEmpty());
    header->addWidget(add);
    headerRow->insertLayout(0, header);

    if (providers.isEmpty()) {
        auto* empty = new Label(QStringLiteral("No providers configured. Add one to get started."),
                                TextStyle::Body,
                                Tone::Secondary);
        empty->setObjectName(QStringLiteral("noProviders"));
        empty->setWordWrap(true);
        empty->setContentsMargins(0, 8, 0, 8);
        box->content()->addWidget(empty);
        return box;
    }
    QPointer<AISettingsTab> self(this);
    for (auto it = providers.cbegin(); it != providers.cend(); ++it) {
        const QString id = it.key();
        const bool opening = state_->expandedProvider() == id && shownExpanded_ != id;
        box->content()->addWidget(new ProviderCard(
            id,
            *state_,
            context_.platform,
            [self, id] {
                if (self)
                    self->signOut(id);
            },
            opening));
    }
    shownExpanded_ = state_->expandedProvider();
    return box;
}

QWidget* AISettingsTab::makeDefaultModel()
{
    auto* box = section(
        QStringLiteral("cpu"), QStringLiteral("Default Model"), QStringLiteral("defaultModelSection"));
    const QList<AIModelInfo>& models = state_->models();
    if (models.isEmpty()) {
        auto* none = new Label(QStringLiteral("No models available \u2014 configure a provider first"),
                               TextStyle::Caption,
                               Tone::Secondary);
        none->setObjectName(QStringLiteral("noModels"));
        box->content()->addWidget(none);
    } else {
        auto* picker = new QComboBox;
        picker->setObjectName(QStringLiteral("defaultModelPicker"));
        picker->setAccessibleName(QStringLiteral("Model"));
        for (const AIModelInfo& model : models.mid(0, 500))
            picker->addItem(QStringLiteral("%1 (%2)").arg(ui::shortened(model.name, 80),
                                                          ui::shortened(model.provider, 40)),
                            model.id);
        // A default that matches no model shows no selection.
        picker->setCurrentIndex(picker->findData(state_->defaultModel()));
        connect(picker, &QComboBox::activated, this, [this, picker](int index) {
            const QString chosen = picker->itemData(index).toString();
            if (chosen == state_->defaultModel())
                return;
            state_->setDefaultModel(chosen); // saved through defaultModelChanged
        });
        box->content()->addWidget(picker);
    }

    const QList<AppInfo>& apps = context_.hubState.apps();
    if (!apps.isEmpty()) {
        box->content()->addWidget(new ui::Divider);
        box->content()->addWidget(
            new Label(QStringLiteral("Per-App Overrides"), TextStyle::Subheadline, Tone::Secondary));
        const QMap<QString, QString> overrides =
            state_->config().appOverrides.value_or(QMap<QString, QString>());
        for (const AppInfo& app : apps.mid(0, 100)) {
            auto* row = new QHBoxLayout;
            auto* name =
                new SymbolLabel(ui::iconForApp(app.id), ui::shortened(app.name, 40), TextStyle::Body);
            name->setFixedWidth(120);
            row->addWidget(name);
            auto* picker = new QComboBox;
            picker->setObjectName(QStringLiteral("override_") + app.id);
            picker->setAccessibleName(QStringLiteral("Model for %1").arg(app.name));
            picker->addItem(QStringLiteral("Default"), QString());
            for (const AIModelInfo& model : models.mid(0, 500))
                picker->addItem(ui::shortened(model.name, 80), model.id);
            picker->setCurrentIndex(picker->findData(overrides.value(app.id)));
            const QString appId = app.id;
            connect(picker, &QComboBox::activated, this, [this, picker, appId](int index) {
                AIConfig config = state_->config();
                QMap<QString, QString> chosen = config.appOverrides.value_or(QMap<QString, QString>());
                const QString model = picker->itemData(index).toString();
                // "Default" removes the entry rather than storing an empty text.
                if (model.isEmpty())
                    chosen.remove(appId);
                else
                    chosen.insert(appId, model);
                config.appOverrides = chosen;
                state_->setConfig(std::move(config));
                state_->saveConfig();
            });
            row->addWidget(picker, 1);
            box->content()->addLayout(row);
        }
    }
    return box;
}

QWidget* AISettingsTab::makeFallback()
{
    auto* box = section(QStringLiteral("arrow.triangle.branch"),
                        QStringLiteral("Fallback Chain"),
                        QStringLiteral("fallbackSection"));
    box->content()->addWidget(
        new Label(QStringLiteral("If the primary provider fails, try the next in order."),
                  TextStyle::Caption,
                  Tone::Secondary));
    const AIConfig& config = state_->config();
    // A list of hundreds is not a chain anyone orders by hand; the first hundred are shown.
    const QStringList order =
        (config.fallbackOrder ? *config.fallbackOrder : config.providers->keys()).mid(0, 100);
    auto* list = new FallbackList;
    list->setObjectName(QStringLiteral("fallbackList"));
    list->setAccessibleName(QStringLiteral("Fallback order; Alt+Up and Alt+Down move a provider"));
    list->setDragDropMode(QAbstractItemView::InternalMove);
    list->setDefaultDropAction(Qt::MoveAction);
    list->setFrameShape(QFrame::NoFrame);
    list->setSpacing(0);
    list->setItemDelegate(new FallbackRow(list));
    for (int i = 0; i < order.size(); ++i) {
        const QString& id = order[i];
        auto* item = new QListWidgetItem(ui::shortened(ProviderCard::displayName(id), 60));
        item->setData(Qt::UserRole, id);
        item->setData(kColorRole, int(statusColor(state_->providerStatus(id))));
        item->setData(kPositionRole, QStringLiteral("%1.").arg(i + 1));
        item->setSizeHint({0, 32});
        list->addItem(item);
    }
    list->setFixedHeight(int(order.size()) * 32 + 8);
    list->moved = [this] { fallbackMoved(); };
    list->dragging = [self = QPointer<AISettingsTab>(this)](bool on) {
        if (self)
            self->setDragging(on);
    };
    fallback_ = list;
    box->content()->addWidget(list);
    return box;
}

void AISettingsTab::fallbackMoved()
{
    if (!fallback_)
        return;
    QStringList order;
    for (int row = 0; row < fallback_->count(); ++row)
        order.append(fallback_->item(row)->data(Qt::UserRole).toString());
    AIConfig config = state_->config();
    config.fallbackOrder = order;
    state_->setConfig(std::move(config));
    state_->saveConfig();
}

QWidget* AISettingsTab::makeUsage()
{
    auto* box = section(
        QStringLiteral("chart.bar.fill"), QStringLiteral("Usage & Cost"), QStringLiteral("usageSection"));
    const std::optional<UsageResponse>& usage = state_->usage();
    if (!usage) {
        auto* none = new Label(QStringLiteral("No usage data yet"), TextStyle::Caption, Tone::Secondary);
        none->setObjectName(QStringLiteral("noUsage"));
        box->content()->addWidget(none);
        return box;
    }
    auto* cards = new QHBoxLayout;
    cards->addWidget(new UsageCard(QStringLiteral("Today"), usage->today), 1);
    cards->addWidget(new UsageCard(QStringLiteral("This Week"), usage->week), 1);
    cards->addWidget(new UsageCard(QStringLiteral("This Month"), usage->month), 1);
    box->content()->addLayout(cards);
    if (usage->perApp && !usage->perApp->isEmpty()) {
        box->content()->addWidget(new ui::Divider);
        box->content()->addWidget(
            new Label(QStringLiteral("Per-App Breakdown"), TextStyle::Subheadline, Tone::Secondary));
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(6);
        grid->setAlignment(Qt::AlignLeft);
        int column = 0;
        for (const char* title : {"App", "Requests", "Tokens", "Cost"})
            grid->addWidget(
                new Label(QLatin1String(title), TextStyle::Caption, Tone::Secondary), 0, column++);
        int row = 1;
        for (auto it = usage->perApp->cbegin(); it != usage->perApp->cend() && row <= 500; ++it, ++row) {
            auto* app = new Label(ui::shortened(it.key(), 60));
            QFont medium = app->font();
            medium.setWeight(QFont::Medium);
            app->setFont(medium);
            grid->addWidget(app, row, 0);
            grid->addWidget(new Label(QString::number(it->count)), row, 1);
            qint64 tokens = 0;
            if (__builtin_add_overflow(it->input_tokens, it->output_tokens, &tokens))
                tokens = std::numeric_limits<qint64>::max(); // absurd counts from the Hub must not wrap round
            grid->addWidget(new Label(ui::formatTokens(tokens)), row, 2);
            grid->addWidget(new Label(ui::costText(it->cost_estimate)), row, 3);
        }
        grid->setColumnStretch(4, 1);
        auto* holder = new QWidget;
        holder->setObjectName(QStringLiteral("perAppBreakdown"));
        holder->setLayout(grid);
        box->content()->addWidget(holder);
    }
    return box;
}

QCoro::Task<> AISettingsTab::signOut(QString provider)
{
    QPointer<AISettingsTab> self(this);
    AISettingsState* state = state_;
    std::optional<QString> failure;
    try {
        co_await HubAPIClient(context_.hubPort).signOut(provider);
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (!ui::isLive(self))
        co_return;
    if (failure) {
        state->setError(failure);
        co_return;
    }
    co_await state->load();
}

} // namespace zandrel
