#include "settings/ProviderCard.h"

#include "platform/Platform.h"
#include "settings/AISettingsState.h"
#include "ui/Button.h"
#include "ui/Caps.h"
#include "ui/ClearLayout.h"
#include "ui/Divider.h"
#include "ui/Formats.h"
#include "ui/Label.h"
#include "ui/StatusDot.h"
#include "ui/SymbolTable.h"
#include "ui/SymbolView.h"
#include "ui/TextField.h"
#include "ui/Theme.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPropertyAnimation>
#include <QToolButton>
#include <QVBoxLayout>

namespace zandrel {

using ui::Label;
using ui::NamedColor;
using ui::SymbolLabel;
using ui::TextStyle;
using ui::Tone;

namespace {

struct Known {
    const char* id;
    const char* name;
    const char* icon;
};
constexpr Known kKnown[] = {{"anthropic", "Anthropic", "brain.head.profile"},
                            {"openai", "OpenAI", "sparkles"},
                            {"ollama", "Ollama", "desktopcomputer"}};

QToolButton* iconButton(const QString& symbol, const QString& help)
{
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setIcon(ui::SymbolTable::icon(symbol));
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

void setText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace

ProviderCard::ProviderCard(const QString& id, AISettingsState& state, Platform& platform, QWidget* parent)
    : QFrame(parent)
    , id_(id)
    , state_(state)
    , platform_(platform)
{
    setObjectName(QStringLiteral("providerCard_") + id);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(makeHeader());
    divider_ = new ui::Divider;
    divider_->hide();
    column->addWidget(divider_);
    body_ = makeBody();
    body_->hide();
    column->addWidget(body_);

    // Opening and closing both glide over a fifth of a second.
    slide_ = new QPropertyAnimation(body_, "maximumHeight", this);
    slide_->setDuration(200);
    slide_->setEasingCurve(QEasingCurve::InOutQuad);
    connect(slide_, &QPropertyAnimation::finished, this, &ProviderCard::settle);
    refresh();
}

QString ProviderCard::displayName(const QString& id)
{
    for (const Known& known : kKnown) {
        if (id == QLatin1String(known.id))
            return QLatin1String(known.name);
    }
    return ui::capitalizedWords(id);
}

QString ProviderCard::icon(const QString& id)
{
    for (const Known& known : kKnown) {
        if (id == QLatin1String(known.id))
            return QLatin1String(known.icon);
    }
    return QStringLiteral("server.rack");
}

QString ProviderCard::modelCountText(int count)
{
    return tr("%n model(s) available", nullptr, count);
}

QString ProviderCard::statusText(ProviderStatus status)
{
    switch (status) {
    case ProviderStatus::Connected:
        return tr("Connected");
    case ProviderStatus::NoKey:
        return tr("No API Key");
    case ProviderStatus::Error:
        return tr("Error");
    case ProviderStatus::Unknown:
        return tr("Not Tested");
    }
    return {};
}

NamedColor ProviderCard::statusColor(ProviderStatus status)
{
    switch (status) {
    case ProviderStatus::Connected:
        return NamedColor::Green;
    case ProviderStatus::NoKey:
        return NamedColor::Red;
    case ProviderStatus::Error:
        return NamedColor::Yellow;
    case ProviderStatus::Unknown:
        return NamedColor::Gray;
    }
    return NamedColor::Gray;
}

void ProviderCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ui::Theme::paintCard(&painter, rect(), ui::Elevation::Low, palette(), 8);
}

void ProviderCard::refresh()
{
    refreshHeader();
    refreshSignIn();
    refreshKeyField();
    refreshActions();
    refreshModels();
    setExpanded(state_.expandedProvider() == id_);
}

void ProviderCard::setExpanded(bool expanded)
{
    if (expanded == expanded_)
        return;
    expanded_ = expanded;
    chevron_->setSymbolName(expanded ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"));
    const int from = body_->isHidden() ? 0 : body_->height();
    slide_->stop();
    divider_->show();
    body_->setMaximumHeight(from);
    body_->show();
    slide_->setStartValue(from);
    slide_->setEndValue(expanded ? body_->sizeHint().height() : 0);
    slide_->start();
}

void ProviderCard::settle()
{
    // Open: the body may grow again (a test result, the manual key field). Closed: out of the way.
    body_->setMaximumHeight(QWIDGETSIZE_MAX);
    body_->setVisible(expanded_);
    divider_->setVisible(expanded_);
}

QWidget* ProviderCard::makeHeader()
{
    header_ = new QToolButton;
    header_->setObjectName(QStringLiteral("cardHeader"));
    header_->setAutoRaise(true);
    header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header_->setAccessibleName(displayName(id_));
    auto* row = new QHBoxLayout(header_);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(8);
    auto* symbol = new ui::SymbolView(icon(id_), 22);
    symbol->setFixedWidth(32);
    row->addWidget(symbol);
    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    auto* name = new Label(displayName(id_));
    QFont semibold = name->font();
    semibold.setWeight(QFont::DemiBold);
    name->setFont(semibold);
    name->setObjectName(QStringLiteral("providerName"));
    names->addWidget(name);
    count_ = new Label({}, TextStyle::Caption, Tone::Secondary);
    count_->setObjectName(QStringLiteral("modelCount"));
    names->addWidget(count_);
    row->addLayout(names);
    row->addStretch(1);
    dot_ = new ui::StatusDot(NamedColor::Gray, 8);
    row->addWidget(dot_);
    badge_ = new Label({}, TextStyle::Caption, Tone::Secondary);
    badge_->setObjectName(QStringLiteral("statusBadge"));
    row->addWidget(badge_);
    chevron_ = new ui::SymbolView(QStringLiteral("chevron.down"), 12, Tone::Tertiary);
    row->addWidget(chevron_);
    header_->setMinimumHeight(row->sizeHint().height());

    connect(header_, &QToolButton::clicked, this, [this] {
        state_.setExpandedProvider(state_.expandedProvider() == id_ ? std::nullopt : std::optional(id_));
    });
    return header_;
}

void ProviderCard::refreshHeader()
{
    int models = 0;
    for (const AIModelInfo& model : state_.models())
        models += model.provider == id_ ? 1 : 0;
    const ProviderStatus status = state_.providerStatus(id_);
    setText(count_, modelCountText(models));
    setText(badge_, statusText(status));
    dot_->setColor(statusColor(status), statusText(status));
    // A screen reader hears the count and the status, as the eye sees them.
    const QString description = tr("%1, %2").arg(count_->text(), badge_->text());
    if (header_->accessibleDescription() != description)
        header_->setAccessibleDescription(description);
}

QWidget* ProviderCard::makeBody()
{
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("cardBody"));
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);

    if (id_ == u"anthropic") {
        column->addWidget(makeSignIn());
        column->addWidget(new ui::Divider);
        manualToggle_ = new QToolButton;
        manualToggle_->setObjectName(QStringLiteral("manualKeyToggle"));
        manualToggle_->setAutoRaise(true);
        manualToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        manualToggle_->setIconSize({10, 10});
        manualToggle_->setText(tr("Or enter an API key manually"));
        manualToggle_->setFont(ui::Theme::font(TextStyle::Caption));
        connect(manualToggle_, &QToolButton::clicked, this, [this] {
            state_.setShowManualKey(id_, !state_.showManualKey().value(id_, false));
        });
        column->addWidget(manualToggle_, 0, Qt::AlignLeft);
    }
    if (id_ != u"ollama")
        column->addWidget(makeKeyField());

    // Test, its result, Save, Remove.
    auto* actions = new QHBoxLayout;
    actions->setSpacing(8);
    test_ = new ui::Button(tr("Test Connection"));
    test_->setObjectName(QStringLiteral("testButton"));
    test_->setIcon(ui::SymbolTable::icon(QStringLiteral("antenna.radiowaves.left.and.right")));
    connect(test_, &QPushButton::clicked, this, [this] { state_.testProvider(id_); });
    actions->addWidget(test_);
    result_ = new SymbolLabel(QStringLiteral("xmark.circle.fill"), {}, TextStyle::Caption);
    result_->setObjectName(QStringLiteral("testResult"));
    result_->label()->setWordWrap(true);
    actions->addWidget(result_, 1);
    resultGap_ = new QWidget;
    resultGap_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    actions->addWidget(resultGap_, 1);
    auto* save = new ui::Button(tr("Save"), ui::Button::Kind::Prominent);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setIcon(ui::SymbolTable::icon(QStringLiteral("checkmark"), QPalette::HighlightedText));
    connect(save, &QPushButton::clicked, this, [this] { state_.saveConfig(); });
    actions->addWidget(save);
    auto* remove = new ui::Button(QString(), ui::Button::Kind::Destructive);
    remove->setObjectName(QStringLiteral("removeButton"));
    remove->setIcon(ui::SymbolTable::icon(QStringLiteral("trash"),
                                          ui::Theme::color(NamedColor::Red, ui::Theme::palette())));
    remove->setToolTip(tr("Remove provider"));
    remove->setAccessibleName(tr("Remove provider"));
    // No confirmation: removing saves at once.
    connect(remove, &QPushButton::clicked, this, [this] {
        state_.removeProvider(id_);
        state_.saveConfig();
    });
    actions->addWidget(remove);
    column->addLayout(actions);

    modelsBox_ = new QWidget;
    auto* models = new QVBoxLayout(modelsBox_);
    models->setContentsMargins(0, 0, 0, 0);
    models->setSpacing(12);
    models->addWidget(new ui::Divider);
    models->addWidget(new Label(tr("Available Models"), TextStyle::Caption, Tone::Secondary));
    modelsGrid_ = new QGridLayout;
    modelsGrid_->setVerticalSpacing(4);
    models->addLayout(modelsGrid_);
    column->addWidget(modelsBox_);
    return body;
}

void ProviderCard::refreshActions()
{
    const bool testing = state_.testingProvider() == id_;
    test_->setBusy(testing);
    test_->setEnabled(!testing);
    const bool hasResult = state_.testResults().contains(id_);
    result_->setVisible(hasResult);
    resultGap_->setVisible(!hasResult);
    if (!hasResult)
        return;
    const AITestResult result = state_.testResults().value(id_);
    result_->symbol()->setSymbolName(result.ok ? QStringLiteral("checkmark.circle.fill")
                                               : QStringLiteral("xmark.circle.fill"));
    setText(result_->label(),
            result.ok ? tr("Connected")
                      : ui::shortened(result.error.value_or(tr("Failed")), ui::cap::message));
    result_->setNamedColor(result.ok ? NamedColor::Green : NamedColor::Red);
}

void ProviderCard::refreshModels()
{
    QList<AIModelInfo> models;
    QStringList shown;
    for (const AIModelInfo& model : state_.models()) {
        if (model.provider != id_ || models.size() >= ui::cap::grid)
            continue;
        models.append(model);
        shown.append(model.id + u'\n' + model.name + (model.available ? u'+' : u'-'));
    }
    modelsBox_->setVisible(!models.isEmpty());
    if (shown == shownModels_)
        return;
    // A list to read, nothing to press: its cells are simply laid out again.
    ui::clearLayout(modelsGrid_);
    for (int i = 0; i < models.size(); ++i) {
        auto* cell = new SymbolLabel(models[i].available ? QStringLiteral("checkmark.circle.fill")
                                                         : QStringLiteral("circle"),
                                     ui::shortened(models[i].name, ui::cap::name),
                                     TextStyle::Caption);
        cell->symbol()->setNamedColor(models[i].available ? NamedColor::Green : NamedColor::Gray);
        modelsGrid_->addWidget(cell, i / 2, i % 2);
    }
    shownModels_ = shown;
}

QWidget* ProviderCard::makeSignIn()
{
    signIn_ = new QWidget;
    signIn_->setObjectName(QStringLiteral("signInBlock"));
    auto* column = new QVBoxLayout(signIn_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    signedIn_ = new QWidget;
    auto* signedIn = new QVBoxLayout(signedIn_);
    signedIn->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    auto* signedInDot = new ui::StatusDot(NamedColor::Green, 10);
    signedInDot->setColor(NamedColor::Green, tr("Signed in"));
    row->addWidget(signedInDot);
    signedInAs_ = new Label;
    signedInAs_->setObjectName(QStringLiteral("signedInAs"));
    row->addWidget(signedInAs_);
    row->addStretch(1);
    auto* signOut = new ui::Button(tr("Sign out"));
    signOut->setObjectName(QStringLiteral("signOutButton"));
    connect(signOut, &QPushButton::clicked, this, [this] { state_.signOut(id_); });
    row->addWidget(signOut);
    signedIn->addLayout(row);
    signedIn->addWidget(new Label(tr("Token refreshes automatically."), TextStyle::Caption, Tone::Secondary));
    column->addWidget(signedIn_);

    awaitingCode_ = new QWidget;
    auto* awaiting = new QVBoxLayout(awaitingCode_);
    awaiting->setContentsMargins(0, 0, 0, 0);
    awaiting->addWidget(
        new Label(tr("Paste the code from your browser:"), TextStyle::Caption, Tone::Secondary));
    auto* codeRow = new QHBoxLayout;
    codeRow->setSpacing(8);
    code_ = new ui::TextField(tr("Paste token here"));
    code_->setObjectName(QStringLiteral("oauthCodeField"));
    code_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    submit_ = new ui::Button(tr("Submit"), ui::Button::Kind::Prominent);
    submit_->setObjectName(QStringLiteral("submitButton"));
    connect(code_, &QLineEdit::textEdited, this, [this](const QString& text) { state_.setOauthCode(text); });
    connect(code_, &QLineEdit::returnPressed, submit_, &QPushButton::click);
    connect(submit_, &QPushButton::clicked, this, [this] { state_.completeOAuth(id_); });
    codeRow->addWidget(code_, 1);
    codeRow->addWidget(submit_);
    awaiting->addLayout(codeRow);
    column->addWidget(awaitingCode_);

    startForm_ = new QWidget;
    auto* startColumn = new QVBoxLayout(startForm_);
    startColumn->setContentsMargins(0, 0, 0, 0);
    start_ = new ui::Button(
        tr("Sign in with Claude"), ui::Button::Kind::Prominent, ui::Button::ControlSize::Large);
    start_->setObjectName(QStringLiteral("startSignIn"));
    start_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    start_->setIcon(ui::SymbolTable::icon(QStringLiteral("person.circle.fill"), QPalette::HighlightedText));
    connect(start_, &QPushButton::clicked, this, [this] { state_.startOAuth(id_); });
    startColumn->addWidget(start_);
    startColumn->addWidget(new Label(
        tr("Use your existing Claude Pro or Max subscription."), TextStyle::Caption, Tone::Secondary));
    column->addWidget(startForm_);

    oauthError_ = new Label({}, TextStyle::Caption);
    oauthError_->setObjectName(QStringLiteral("oauthError"));
    oauthError_->setNamedColor(NamedColor::Red);
    oauthError_->setWordWrap(true);
    column->addWidget(oauthError_);
    return signIn_;
}

void ProviderCard::refreshSignIn()
{
    if (!signIn_)
        return;
    const std::optional<AuthStatusEntry> entry = state_.authEntry(id_);
    const bool awaiting = !entry && state_.oauthPendingState().has_value();
    const bool loading = state_.oauthLoading();
    signedIn_->setVisible(entry.has_value());
    awaitingCode_->setVisible(awaiting);
    startForm_->setVisible(!entry && !awaiting);
    signIn_->setProperty("form",
                         entry      ? QStringLiteral("signedIn")
                         : awaiting ? QStringLiteral("awaitingCode")
                                    : QStringLiteral("signIn"));
    if (entry)
        setText(signedInAs_,
                tr("Signed in as %1")
                    .arg(ui::shortened(entry->email.value_or(tr("Claude user")), ui::cap::address)));
    if (code_->text() != state_.oauthCode())
        code_->setText(state_.oauthCode());
    submit_->setBusy(loading);
    submit_->setEnabled(!state_.oauthCode().isEmpty() && !loading);
    start_->setBusy(loading, true);
    start_->setEnabled(!loading);
    const std::optional<QString>& error = state_.oauthError();
    oauthError_->setVisible(error.has_value() && !entry);
    setText(oauthError_, ui::shortened(error.value_or(QString()), ui::cap::message));

    const bool open = state_.showManualKey().value(id_, false);
    manualToggle_->setIcon(
        ui::SymbolTable::icon(open ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right")));
}

QWidget* ProviderCard::makeKeyField()
{
    keyBox_ = new QWidget;
    auto* column = new QVBoxLayout(keyBox_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(new Label(tr("API Key"), TextStyle::Caption, Tone::Secondary));
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    key_ = new ui::TextField(QStringLiteral("sk-..."));
    key_->setObjectName(QStringLiteral("apiKeyField"));
    key_->setAccessibleName(tr("API key"));
    key_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(
        key_, &QLineEdit::textEdited, this, [this](const QString& text) { state_.setEditingKey(id_, text); });
    eye_ = iconButton(QStringLiteral("eye"), tr("Show key"));
    eye_->setObjectName(QStringLiteral("showKeyButton"));
    connect(eye_, &QToolButton::clicked, this, [this] {
        state_.setShowKey(id_, !state_.showKeys().value(id_, false));
    });
    auto* paste = iconButton(QStringLiteral("doc.on.clipboard"), tr("Paste from clipboard"));
    paste->setObjectName(QStringLiteral("pasteButton"));
    connect(paste, &QToolButton::clicked, this, [this] {
        const QString text = platform_.clipboardText();
        if (!text.isEmpty())
            state_.setEditingKey(id_, text);
    });
    row->addWidget(key_, 1);
    row->addWidget(eye_);
    row->addWidget(paste);
    column->addLayout(row);
    return keyBox_;
}

void ProviderCard::refreshKeyField()
{
    if (!keyBox_)
        return;
    keyBox_->setVisible(id_ != u"anthropic" || state_.showManualKey().value(id_, false));
    // Set only when it differs, so the cursor of someone typing stays where it is.
    const QString key = state_.editingKeys().value(id_);
    if (key_->text() != key)
        key_->setText(key);
    const bool shown = state_.showKeys().value(id_, false);
    key_->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    const QString help = shown ? tr("Hide key") : tr("Show key");
    if (eye_->toolTip() != help) {
        eye_->setIcon(ui::SymbolTable::icon(shown ? QStringLiteral("eye.slash") : QStringLiteral("eye")));
        eye_->setToolTip(help);
        eye_->setAccessibleName(help);
    }
}

} // namespace zandrel
