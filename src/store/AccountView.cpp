#include "store/AccountView.h"

#include "platform/Platform.h"
#include "store/OAuthButton.h"
#include "store/PendingSignIn.h"
#include "store/StoreService.h"
#include "ui/Button.h"
#include "ui/Caps.h"
#include "ui/Divider.h"
#include "ui/Formats.h"
#include "ui/Label.h"
#include "ui/PageLife.h"
#include "ui/SymbolView.h"
#include "ui/TextField.h"
#include "ui/Theme.h"
#include "wire/Error.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zandrel {

using ui::Label;
using ui::TextStyle;
using ui::Theme;
using ui::Tone;

// The signed-in user's initial on a circle of the accent colour.
class Avatar : public QWidget {
public:
    Avatar()
    {
        setObjectName(QStringLiteral("avatar"));
        setFixedSize(72, 72);
    }
    const QString& initial() const { return initial_; }
    void setName(const QString& name)
    {
        initial_ = Theme::initial(name);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor accent = palette().color(QPalette::Highlight);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, accent.lighter(125));
        gradient.setColorAt(1, accent);
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawEllipse(rect());
        painter.setPen(Qt::white);
        painter.setFont(Theme::font(TextStyle::Title));
        painter.drawText(rect(), Qt::AlignCenter, initial_);
    }

private:
    QString initial_;
};

namespace {

QVBoxLayout* centredColumn(QWidget* owner, int spacing)
{
    auto* column = new QVBoxLayout(owner);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->setAlignment(Qt::AlignTop);
    return column;
}

} // namespace

AccountView::AccountView(const PageContext& context, QWidget* parent)
    : QScrollArea(parent)
    , store_(context.storeService)
    , platform_(context.platform)
    , storeWebsite_(context.storeWebsite)
    , pendingSignIn_(context.pendingSignIn)
    , modes_(new QStackedWidget)
{
    setObjectName(QStringLiteral("accountView"));
    // A holder for its content: Tab goes to the controls inside, which scroll into view.
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(tr("Account"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);

    modes_->addWidget(makeSignInView());
    modes_->addWidget(makeSignedInView());

    auto* column = new QWidget;
    columnLayout_ = new QVBoxLayout(column);
    columnLayout_->setContentsMargins(0, 0, 0, 0);
    columnLayout_->setSpacing(20);
    columnLayout_->addWidget(modes_);
    column->setMaximumWidth(440);
    if (pendingSignIn_)
        connect(pendingSignIn_, &PendingSignIn::ignoredCallbackChanged, this, &AccountView::updateNotice);
    updateNotice();

    auto* content = new QWidget;
    content->setBackgroundRole(QPalette::Base);
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(24, 24, 24, 24);
    row->addStretch(1);
    row->addWidget(column, 440);
    row->addStretch(1);
    row->setAlignment(column, Qt::AlignTop);
    setWidget(content);

    connect(&store_, &StoreService::isLoggedInChanged, this, &AccountView::updateMode);
    connect(&store_, &StoreService::currentUserChanged, this, &AccountView::updateMode);
    updateMode();
}

QWidget* AccountView::makeSignInView()
{
    auto* view = new QWidget;
    view->setObjectName(QStringLiteral("signInView"));
    auto* column = centredColumn(view, 20);

    auto* header = new QVBoxLayout;
    header->setSpacing(4);
    header->addWidget(
        new ui::SymbolView(QStringLiteral("person.crop.circle"), 48, Tone::Secondary), 0, Qt::AlignHCenter);
    auto* title = new Label(tr("Sign In"));
    title->setTextStyle(TextStyle::Title2, true);
    header->addWidget(title, 0, Qt::AlignHCenter);
    header->addWidget(
        new Label(tr("Sign in to access the Zandrel Store"), TextStyle::Subheadline, Tone::Secondary),
        0,
        Qt::AlignHCenter);
    column->addLayout(header);

    email_ = new ui::TextField(tr("Email"));
    email_->setObjectName(QStringLiteral("emailField"));
    email_->setInputMethodHints(Qt::ImhEmailCharactersOnly | Qt::ImhNoAutoUppercase);
    password_ = new ui::TextField(tr("Password"));
    password_->setObjectName(QStringLiteral("passwordField"));
    password_->setEchoMode(QLineEdit::Password);
    signInButton_ =
        new ui::Button(tr("Sign In"), ui::Button::Kind::Prominent, ui::Button::ControlSize::Large);
    signInButton_->setObjectName(QStringLiteral("signInButton"));
    signInButton_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* form = new QVBoxLayout;
    form->setSpacing(12);
    form->addWidget(email_);
    form->addWidget(password_);
    form->addWidget(signInButton_);
    column->addLayout(form);

    errorLabel_ = new Label({}, TextStyle::Caption);
    errorLabel_->setObjectName(QStringLiteral("signInError"));
    errorLabel_->setNamedColor(ui::NamedColor::Red);
    errorLabel_->setWordWrap(true);
    errorLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorLabel_->hide();
    column->addWidget(errorLabel_);
    column->addWidget(new ui::Divider);

    auto* providers = new QVBoxLayout;
    providers->setSpacing(8);
    providers->addWidget(
        new Label(tr("Or sign in with"), TextStyle::Caption, Tone::Secondary), 0, Qt::AlignHCenter);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    const std::tuple<const char*, const char*, const char*> kProviders[] = {
        {"Apple", "apple.logo", "/auth/apple"},
        {"Google", "globe", "/auth/google"},
        {"GitHub", "chevron.left.forwardslash.chevron.right", "/auth/github"},
    };
    for (const auto& [name, icon, path] : kProviders) {
        auto* button = new OAuthButton(
            QLatin1String(name), QLatin1String(icon), storeWebsite_ + QLatin1String(path), platform_);
        // The browser's answer counts only because the user asked for it here.
        if (pendingSignIn_)
            connect(button, &OAuthButton::browserOpened, pendingSignIn_, &PendingSignIn::start);
        buttons->addWidget(button, 1);
    }
    providers->addLayout(buttons);
    column->addLayout(providers);

    connect(email_, &QLineEdit::textChanged, this, &AccountView::updateSignInButton);
    connect(password_, &QLineEdit::textChanged, this, &AccountView::updateSignInButton);
    connect(signInButton_, &QPushButton::clicked, this, &AccountView::signIn);
    // Return in the password field signs in even when the button would be disabled.
    connect(password_, &QLineEdit::returnPressed, this, &AccountView::signIn);
    connect(email_, &QLineEdit::returnPressed, this, [this] { password_->setFocus(); });
    updateSignInButton();
    return view;
}

QWidget* AccountView::makeSignedInView()
{
    auto* view = new QWidget;
    view->setObjectName(QStringLiteral("signedInView"));
    auto* column = centredColumn(view, 20);

    auto* who = new QVBoxLayout;
    who->setSpacing(12);
    avatar_ = new Avatar;
    who->addWidget(avatar_, 0, Qt::AlignHCenter);
    displayName_ = new Label;
    displayName_->setObjectName(QStringLiteral("displayName"));
    displayName_->setTextStyle(TextStyle::Title2, true);
    who->addWidget(displayName_, 0, Qt::AlignHCenter);
    userEmail_ = new Label({}, TextStyle::Subheadline, Tone::Secondary);
    userEmail_->setObjectName(QStringLiteral("userEmail"));
    userEmail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    who->addWidget(userEmail_, 0, Qt::AlignHCenter);
    column->addLayout(who);
    column->addWidget(new ui::Divider);

    auto* signOut =
        new ui::Button(tr("Sign Out"), ui::Button::Kind::Bordered, ui::Button::ControlSize::Large);
    signOut->setObjectName(QStringLiteral("signOutButton"));
    connect(signOut, &QPushButton::clicked, &store_, &StoreService::signOut);
    connect(signOut, &QPushButton::clicked, this, [this] {
        if (pendingSignIn_)
            pendingSignIn_->cancel();
    });
    column->addWidget(signOut, 0, Qt::AlignHCenter);
    return view;
}

AccountView::~AccountView()
{
    // Said once, where it was seen: the next visit starts without it.
    if (pendingSignIn_)
        pendingSignIn_->setIgnoredCallback(false);
}

void AccountView::updateNotice()
{
    const bool ignored = pendingSignIn_ && pendingSignIn_->ignoredCallback();
    // Built when first needed: hidden, it would still cost the start a font of its own.
    if (ignored && !ignoredNotice_) {
        // Above either view: a sign-in link arrived that nobody here asked for.
        ignoredNotice_ = new ui::SymbolLabel(
            QStringLiteral("exclamationmark.triangle"),
            tr("A sign-in link arrived that Zandrel Hub did not ask for. It was ignored: to sign in, use the "
               "buttons below."),
            TextStyle::Callout);
        ignoredNotice_->setObjectName(QStringLiteral("ignoredSignInNotice"));
        ignoredNotice_->symbol()->setNamedColor(ui::NamedColor::Orange);
        ignoredNotice_->label()->setWordWrap(true);
        ignoredNotice_->label()->setTextInteractionFlags(Qt::TextSelectableByMouse);
        columnLayout_->insertWidget(0, ignoredNotice_);
        // First among its siblings too, so that a screen reader reads it before the form it speaks of.
        ignoredNotice_->lower();
    }
    if (ignoredNotice_)
        ignoredNotice_->setVisible(ignored);
}

QString AccountView::avatarInitial() const
{
    return avatar_->initial();
}

void AccountView::reload()
{
    fetchAccount();
}

void AccountView::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    // Each time the page comes on screen (not when the window is merely restored).
    if (!event->spontaneous())
        fetchAccount();
}

void AccountView::updateMode()
{
    const std::optional<UserProfile>& user = store_.currentUser();
    const bool signedIn = store_.isLoggedIn() && user;
    if (user) {
        avatar_->setName(user->display_name);
        displayName_->setText(user->display_name);
        userEmail_->setText(user->email);
    }
    modes_->setCurrentIndex(signedIn ? 1 : 0);
}

void AccountView::updateSignInButton()
{
    signInButton_->setEnabled(!email_->text().isEmpty() && !password_->text().isEmpty() && !loggingIn_);
}

void AccountView::setLoggingIn(bool value)
{
    loggingIn_ = value;
    signInButton_->setBusy(value);
    updateSignInButton();
}

void AccountView::setError(std::optional<QString> error)
{
    error_ = std::move(error);
    errorLabel_->setText(ui::shortened(error_.value_or(QString()), ui::cap::error));
    errorLabel_->setVisible(error_.has_value());
}

QCoro::Task<> AccountView::signIn()
{
    QPointer<AccountView> self(this);
    // Outlives the page: the sign-in counts even when the user has gone elsewhere meanwhile.
    QPointer<PendingSignIn> pending = pendingSignIn_;
    setLoggingIn(true);
    setError(std::nullopt);
    std::optional<QString> failure;
    try {
        // As typed: no trimming, no format check.
        co_await store_.login(email_->text(), password_->text());
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    // Signed in with the form: a browser's late answer must not replace it.
    if (!failure && pending)
        pending->cancel();
    if (!ui::isLive(self))
        co_return;
    if (failure)
        setError(failure);
    setLoggingIn(false);
}

QCoro::Task<> AccountView::fetchAccount()
{
    // The service signs itself in on success; a failure leaves everything as it was, silently.
    StoreService& store = store_;
    try {
        co_await store.getAccount();
    } catch (...) {
    }
}

} // namespace zandrel
