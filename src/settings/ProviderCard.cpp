#include "settings/ProviderCard.h"

#include "platform/Platform.h"
#include "settings/AISettingsState.h"
#include "ui/Button.h"
#include "ui/Divider.h"
#include "ui/Formats.h"
#include "ui/Label.h"
#include "ui/Spinner.h"
#include "ui/SymbolTable.h"
#include "ui/SymbolView.h"
#include "ui/TextField.h"
#include "ui/Theme.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
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

NamedColor statusColor(ProviderStatus status)
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

// A small filled circle in a named colour.
class Dot : public QWidget {
public:
    Dot(NamedColor color, int side)
        : color_(color)
    {
        setFixedSize(side, side);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ui::Theme::color(color_, palette()));
        painter.drawEllipse(rect());
    }

private:
    NamedColor color_;
};

QToolButton* iconButton(const QString& symbol, const QString& help)
{
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setIcon(ui::SymbolTable::icon(symbol));
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

} // namespace

ProviderCard::ProviderCard(const QString& id,
                           AISettingsState& state,
                           Platform& platform,
                           std::function<void()> onSignOut,
                           bool opening,
                           QWidget* parent)
    : QFrame(parent)
    , id_(id)
    , state_(state)
    , platform_(platform)
    , onSignOut_(std::move(onSignOut))
{
    setObjectName(QStringLiteral("providerCard_") + id);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(makeHeader());
    if (state_.expandedProvider() == id_) {
        column->addWidget(new ui::Divider);
        QWidget* body = makeBody();
        column->addWidget(body);
        if (opening) {
            // Opens over a fifth of a second rather than jumping.
            auto* grow = new QPropertyAnimation(body, "maximumHeight", body);
            grow->setDuration(200);
            grow->setEasingCurve(QEasingCurve::InOutQuad);
            grow->setStartValue(0);
            grow->setEndValue(body->sizeHint().height());
            connect(grow, &QPropertyAnimation::finished, body, [body] {
                body->setMaximumHeight(QWIDGETSIZE_MAX);
            });
            grow->start(QAbstractAnimation::DeleteWhenStopped);
        }
    }
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
    return QStringLiteral("%1 model%2 available")
        .arg(count)
        .arg(count == 1 ? QString() : QStringLiteral("s"));
}

QString ProviderCard::statusText(int status)
{
    switch (ProviderStatus(status)) {
    case ProviderStatus::Connected:
        return QStringLiteral("Connected");
    case ProviderStatus::NoKey:
        return QStringLiteral("No API Key");
    case ProviderStatus::Error:
        return QStringLiteral("Error");
    case ProviderStatus::Unknown:
        return QStringLiteral("Not Tested");
    }
    return {};
}

void ProviderCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -1.5), 8, 8);
    painter.fillPath(shape.translated(0, 1), QColor(0, 0, 0, 25));
    painter.fillPath(shape, palette().color(QPalette::Base));
    painter.setPen(QPen(ui::Theme::textColor(Tone::Quaternary, palette()), 1));
    painter.drawPath(shape);
}

QWidget* ProviderCard::makeHeader()
{
    int models = 0;
    for (const AIModelInfo& model : state_.models())
        models += model.provider == id_ ? 1 : 0;
    const ProviderStatus status = state_.providerStatus(id_);
    const bool expanded = state_.expandedProvider() == id_;

    auto* header = new QToolButton;
    header->setObjectName(QStringLiteral("cardHeader"));
    header->setAutoRaise(true);
    header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header->setAccessibleName(displayName(id_));
    header->setAccessibleDescription(statusText(int(status)));
    auto* row = new QHBoxLayout(header);
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
    auto* count = new Label(modelCountText(models), TextStyle::Caption, Tone::Secondary);
    count->setObjectName(QStringLiteral("modelCount"));
    names->addWidget(count);
    row->addLayout(names);
    row->addStretch(1);
    row->addWidget(new Dot(statusColor(status), 8));
    auto* badge = new Label(statusText(int(status)), TextStyle::Caption, Tone::Secondary);
    badge->setObjectName(QStringLiteral("statusBadge"));
    row->addWidget(badge);
    row->addWidget(new ui::SymbolView(
        expanded ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"), 12, Tone::Tertiary));
    header->setMinimumHeight(row->sizeHint().height());

    connect(header, &QToolButton::clicked, this, [this] {
        state_.setExpandedProvider(state_.expandedProvider() == id_ ? std::nullopt : std::optional(id_));
    });
    return header;
}

QWidget* ProviderCard::makeBody()
{
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);

    const bool anthropic = id_ == u"anthropic";
    if (anthropic) {
        column->addWidget(makeSignIn());
        column->addWidget(new ui::Divider);
        const bool open = state_.showManualKey().value(id_, false);
        auto* toggle = new QToolButton;
        toggle->setObjectName(QStringLiteral("manualKeyToggle"));
        toggle->setAutoRaise(true);
        toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        toggle->setIcon(
            ui::SymbolTable::icon(open ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right")));
        toggle->setIconSize({10, 10});
        toggle->setText(QStringLiteral("Or enter an API key manually"));
        toggle->setFont(ui::Theme::font(TextStyle::Caption));
        connect(toggle, &QToolButton::clicked, this, [this, open] { state_.setShowManualKey(id_, !open); });
        column->addWidget(toggle, 0, Qt::AlignLeft);
    }
    if (id_ != u"ollama" && (!anthropic || state_.showManualKey().value(id_, false)))
        column->addWidget(makeKeyField());

    // Test, its result, Save, Remove.
    auto* actions = new QHBoxLayout;
    actions->setSpacing(8);
    const bool testing = state_.testingProvider() == id_;
    auto* test = new ui::Button(QStringLiteral("Test Connection"));
    test->setObjectName(QStringLiteral("testButton"));
    test->setIcon(ui::SymbolTable::icon(QStringLiteral("antenna.radiowaves.left.and.right")));
    test->setEnabled(!testing);
    if (testing) {
        test->setText(QString());
        test->setIcon({});
        auto* spinner = new ui::Spinner(14, test);
        auto* centre = new QHBoxLayout(test);
        centre->setContentsMargins(0, 0, 0, 0);
        centre->addWidget(spinner, 0, Qt::AlignCenter);
    }
    connect(test, &QPushButton::clicked, this, [this] { state_.testProvider(id_); });
    actions->addWidget(test);
    if (state_.testResults().contains(id_)) {
        const AITestResult result = state_.testResults().value(id_);
        auto* label = new SymbolLabel(
            result.ok ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("xmark.circle.fill"),
            result.ok ? QStringLiteral("Connected")
                      : ui::shortened(result.error.value_or(QStringLiteral("Failed")), 300),
            TextStyle::Caption);
        label->setObjectName(QStringLiteral("testResult"));
        label->setNamedColor(result.ok ? NamedColor::Green : NamedColor::Red);
        label->label()->setWordWrap(true);
        actions->addWidget(label, 1);
    } else {
        actions->addStretch(1);
    }
    auto* save = new ui::Button(QStringLiteral("Save"), ui::Button::Kind::Prominent);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setIcon(ui::SymbolTable::icon(QStringLiteral("checkmark"), QPalette::HighlightedText));
    connect(save, &QPushButton::clicked, this, [this] { state_.saveConfig(); });
    actions->addWidget(save);
    auto* remove = new ui::Button(QString(), ui::Button::Kind::Destructive);
    remove->setObjectName(QStringLiteral("removeButton"));
    remove->setIcon(ui::SymbolTable::icon(QStringLiteral("trash"),
                                          ui::Theme::color(NamedColor::Red, ui::Theme::palette())));
    remove->setToolTip(QStringLiteral("Remove provider"));
    remove->setAccessibleName(QStringLiteral("Remove provider"));
    // No confirmation: removing saves at once.
    connect(remove, &QPushButton::clicked, this, [this] {
        state_.removeProvider(id_);
        state_.saveConfig();
    });
    actions->addWidget(remove);
    column->addLayout(actions);

    QList<AIModelInfo> models;
    for (const AIModelInfo& model : state_.models()) {
        if (model.provider == id_)
            models.append(model);
    }
    if (!models.isEmpty()) {
        column->addWidget(new ui::Divider);
        column->addWidget(new Label(QStringLiteral("Available Models"), TextStyle::Caption, Tone::Secondary));
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(4);
        for (int i = 0; i < models.size() && i < 200; ++i) {
            auto* cell = new SymbolLabel(models[i].available ? QStringLiteral("checkmark.circle.fill")
                                                             : QStringLiteral("circle"),
                                         ui::shortened(models[i].name, 80),
                                         TextStyle::Caption);
            cell->symbol()->setNamedColor(models[i].available ? NamedColor::Green : NamedColor::Gray);
            grid->addWidget(cell, i / 2, i % 2);
        }
        column->addLayout(grid);
    }
    return body;
}

QWidget* ProviderCard::makeSignIn()
{
    auto* block = new QWidget;
    block->setObjectName(QStringLiteral("signInBlock"));
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    const std::optional<AuthStatusEntry> entry = state_.authEntry(id_);
    const std::optional<QString>& error = state_.oauthError();
    if (entry) {
        block->setProperty("form", QStringLiteral("signedIn"));
        auto* row = new QHBoxLayout;
        row->addWidget(new Dot(NamedColor::Green, 10));
        auto* who = new Label(QStringLiteral("Signed in as ") +
                              ui::shortened(entry->email.value_or(QStringLiteral("Claude user")), 120));
        who->setObjectName(QStringLiteral("signedInAs"));
        row->addWidget(who);
        row->addStretch(1);
        auto* signOut = new ui::Button(QStringLiteral("Sign out"));
        signOut->setObjectName(QStringLiteral("signOutButton"));
        connect(signOut, &QPushButton::clicked, this, [this] {
            if (onSignOut_)
                onSignOut_();
        });
        row->addWidget(signOut);
        column->addLayout(row);
        column->addWidget(
            new Label(QStringLiteral("Token refreshes automatically."), TextStyle::Caption, Tone::Secondary));
        return block;
    }
    if (state_.oauthPendingState()) {
        block->setProperty("form", QStringLiteral("awaitingCode"));
        column->addWidget(new Label(
            QStringLiteral("Paste the code from your browser:"), TextStyle::Caption, Tone::Secondary));
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        auto* code = new ui::TextField(QStringLiteral("Paste token here"));
        code->setObjectName(QStringLiteral("oauthCodeField"));
        code->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        code->setText(state_.oauthCode());
        auto* submit = new ui::Button(QStringLiteral("Submit"), ui::Button::Kind::Prominent);
        submit->setObjectName(QStringLiteral("submitButton"));
        const auto updateSubmit = [this, submit] {
            submit->setEnabled(!state_.oauthCode().isEmpty() && !state_.oauthLoading());
        };
        updateSubmit();
        if (state_.oauthLoading()) {
            submit->setText(QString());
            auto* centre = new QHBoxLayout(submit);
            centre->setContentsMargins(0, 0, 0, 0);
            centre->addWidget(new ui::Spinner(14, submit), 0, Qt::AlignCenter);
        }
        connect(code, &QLineEdit::textChanged, this, [this, updateSubmit](const QString& text) {
            state_.setOauthCode(text);
            updateSubmit();
        });
        connect(code, &QLineEdit::returnPressed, submit, &QPushButton::click);
        connect(submit, &QPushButton::clicked, this, [this] { state_.completeOAuth(id_); });
        row->addWidget(code, 1);
        row->addWidget(submit);
        column->addLayout(row);
    } else {
        block->setProperty("form", QStringLiteral("signIn"));
        auto* start = new ui::Button(QStringLiteral("Sign in with Claude"),
                                     ui::Button::Kind::Prominent,
                                     ui::Button::ControlSize::Large);
        start->setObjectName(QStringLiteral("startSignIn"));
        start->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        start->setIcon(
            ui::SymbolTable::icon(QStringLiteral("person.circle.fill"), QPalette::HighlightedText));
        start->setEnabled(!state_.oauthLoading());
        if (state_.oauthLoading()) {
            start->setIcon({});
            auto* centre = new QHBoxLayout(start);
            centre->setContentsMargins(12, 0, 0, 0);
            centre->addWidget(new ui::Spinner(14, start), 0, Qt::AlignLeft | Qt::AlignVCenter);
        }
        connect(start, &QPushButton::clicked, this, [this] { state_.startOAuth(id_); });
        column->addWidget(start);
        column->addWidget(new Label(QStringLiteral("Use your existing Claude Pro or Max subscription."),
                                    TextStyle::Caption,
                                    Tone::Secondary));
    }
    if (error) {
        auto* text = new Label(ui::shortened(*error, 500), TextStyle::Caption);
        text->setObjectName(QStringLiteral("oauthError"));
        text->setNamedColor(NamedColor::Red);
        text->setWordWrap(true);
        column->addWidget(text);
    }
    return block;
}

QWidget* ProviderCard::makeKeyField()
{
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(new Label(QStringLiteral("API Key"), TextStyle::Caption, Tone::Secondary));
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    auto* key = new ui::TextField(QStringLiteral("sk-..."));
    key->setObjectName(QStringLiteral("apiKeyField"));
    key->setAccessibleName(QStringLiteral("API key"));
    key->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    key->setText(state_.editingKeys().value(id_));
    const bool shown = state_.showKeys().value(id_, false);
    key->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    connect(
        key, &QLineEdit::textEdited, this, [this](const QString& text) { state_.setEditingKey(id_, text); });
    auto* eye = iconButton(shown ? QStringLiteral("eye.slash") : QStringLiteral("eye"),
                           shown ? QStringLiteral("Hide key") : QStringLiteral("Show key"));
    eye->setObjectName(QStringLiteral("showKeyButton"));
    connect(eye, &QToolButton::clicked, this, [this, key, eye] {
        const bool show = !state_.showKeys().value(id_, false);
        state_.setShowKey(id_, show);
        key->setEchoMode(show ? QLineEdit::Normal : QLineEdit::Password);
        eye->setIcon(ui::SymbolTable::icon(show ? QStringLiteral("eye.slash") : QStringLiteral("eye")));
        eye->setToolTip(show ? QStringLiteral("Hide key") : QStringLiteral("Show key"));
        eye->setAccessibleName(eye->toolTip());
    });
    auto* paste = iconButton(QStringLiteral("doc.on.clipboard"), QStringLiteral("Paste from clipboard"));
    paste->setObjectName(QStringLiteral("pasteButton"));
    connect(paste, &QToolButton::clicked, this, [this, key] {
        const QString text = platform_.clipboardText();
        if (text.isEmpty())
            return;
        key->setText(text);
        state_.setEditingKey(id_, text);
    });
    row->addWidget(key, 1);
    row->addWidget(eye);
    row->addWidget(paste);
    column->addLayout(row);
    return box;
}

} // namespace zandrel
