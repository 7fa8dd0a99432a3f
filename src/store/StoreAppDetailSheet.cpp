#include "store/StoreAppDetailSheet.h"

#include "platform/Platform.h"
#include "store/StoreService.h"
#include "ui/Button.h"
#include "ui/Caps.h"
#include "ui/Divider.h"
#include "ui/EmptyStateView.h"
#include "ui/Formats.h"
#include "ui/GradientTile.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/PageLife.h"
#include "ui/Spinner.h"
#include "ui/SymbolTable.h"
#include "ui/SymbolView.h"
#include "ui/Theme.h"
#include "wire/Error.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace zandrel {

namespace {

std::chrono::milliseconds linkInstallDelay{1000};

} // namespace

using ui::Label;
using ui::NamedColor;
using ui::SymbolLabel;
using ui::TextStyle;
using ui::Tone;

StoreAppDetailSheet::StoreAppDetailSheet(QString slug, const PageContext& context, QWidget* parent)
    : QDialog(parent)
    , slug_(std::move(slug))
    , context_(context)
    , title_(new Label(ui::shortened(slug_, ui::cap::name), TextStyle::Headline))
    , body_(new QStackedWidget)
{
    setObjectName(QStringLiteral("storeAppDetailSheet"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(ui::shortened(slug_, ui::cap::name));
    setMinimumSize(500, 400);
    resize(560, 520);

    title_->setObjectName(QStringLiteral("sheetTitle"));
    title_->setTextStyle(TextStyle::Headline, true);
    auto* close = new QToolButton;
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoRaise(true);
    close->setIcon(ui::SymbolTable::icon(QStringLiteral("xmark.circle.fill"),
                                         ui::Theme::textColor(Tone::Secondary, ui::Theme::palette())));
    close->setIconSize({18, 18});
    close->setToolTip(tr("Close"));
    close->setAccessibleName(tr("Close"));
    connect(close, &QToolButton::clicked, this, &QDialog::reject);
    auto* header = new QHBoxLayout;
    header->setContentsMargins(16, 12, 12, 12);
    header->addWidget(title_);
    header->addStretch(1);
    header->addWidget(close);

    auto* loading = new QWidget;
    auto* loadingColumn = new QVBoxLayout(loading);
    loadingColumn->setContentsMargins(40, 40, 40, 40);
    loadingColumn->addWidget(new ui::Spinner(24), 0, Qt::AlignHCenter);
    loadingColumn->addStretch(1);
    errorView_ = new ui::EmptyStateView(tr("Error"), QStringLiteral("exclamationmark.triangle"));
    errorView_->setObjectName(QStringLiteral("detailError"));
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("detailContent"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    body_->addWidget(loading);
    body_->addWidget(scroll);
    body_->addWidget(errorView_);
    body_->addWidget(new QWidget);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(header);
    layout->addWidget(new ui::Divider);
    layout->addWidget(body_, 1);

    // An install of this app from a sheet closed meanwhile: shown as it goes, and its end counts here.
    StoreService& store = context_.storeService;
    connect(&store, &StoreService::installStarted, this, [this](const QString& slug) {
        if (slug == slug_)
            updateAction();
    });
    connect(&store, &StoreService::installEnded, this, [this](const QString& slug, bool installed) {
        if (slug != slug_)
            return;
        if (installed && !isInstalling_)
            isAlreadyInstalled_ = true;
        updateAction();
    });
}

void StoreAppDetailSheet::setLinkInstallDelay(std::chrono::milliseconds delay)
{
    linkInstallDelay = delay;
}

void StoreAppDetailSheet::setOpenedByLink(LinkOutcome outcome)
{
    linkOutcome_ = std::move(outcome);
    if (linkNotice_)
        return;
    // Under the header, above what the store says of the app.
    auto* notice = new SymbolLabel(QStringLiteral("exclamationmark.triangle"),
                                   tr("A link asks to install this app."),
                                   TextStyle::Subheadline);
    notice->setObjectName(QStringLiteral("linkNotice"));
    notice->symbol()->setNamedColor(NamedColor::Orange);
    notice->label()->setWordWrap(true);
    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(16, 10, 16, 10);
    rowLayout->addWidget(notice, 1);
    static_cast<QVBoxLayout*>(layout())->insertWidget(2, row);
    static_cast<QVBoxLayout*>(layout())->insertWidget(3, new ui::Divider);
    linkNotice_ = row;
}

void StoreAppDetailSheet::showBody(Body body)
{
    shownBody_ = body;
    body_->setCurrentIndex(int(body));
}

QString StoreAppDetailSheet::appPath() const
{
    if (installResult_)
        return installResult_->path;
    return context_.platform.appBundlePath(detail_ ? detail_->name : slug_);
}

void StoreAppDetailSheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Like a sheet: centred over the window, near its top.
    if (QWidget* window = parentWidget() ? parentWidget()->window() : nullptr) {
        const QRect over = window->geometry();
        move(over.center().x() - width() / 2, over.top() + qMax(0, (over.height() - height()) / 4));
    }
    // A web page chose to open this one: the keyboard starts on Close, so no key installs by chance.
    if (linkNotice_) {
        if (auto* close = findChild<QToolButton*>(QStringLiteral("closeButton")))
            close->setFocus(Qt::OtherFocusReason);
    }
    if (!loadStarted_) {
        loadStarted_ = true;
        loadDetail();
    }
}

QCoro::Task<> StoreAppDetailSheet::loadDetail()
{
    QPointer<StoreAppDetailSheet> self(this);
    isLoading_ = true;
    StoreService& store = context_.storeService;
    std::optional<StoreAppDetail> fetched;
    std::optional<QString> failure;
    try {
        fetched = co_await store.getApp(slug_);
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (!ui::isLive(self))
        co_return;
    isLoading_ = false;
    if (fetched) {
        detail_ = std::move(fetched);
        isAlreadyInstalled_ = context_.platform.exists(context_.platform.appBundlePath(detail_->name));
        showDetail();
    } else {
        error_ = failure;
        errorView_->setDescription(failure.value_or(QString()));
        showBody(Body::Error);
    }
}

void StoreAppDetailSheet::showDetail()
{
    const StoreAppDetail& app = *detail_;
    title_->setText(ui::shortened(app.name, ui::cap::name));
    setWindowTitle(ui::shortened(app.name, ui::cap::name));

    content_ = new QWidget;
    auto* column = new QVBoxLayout(content_);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(20);

    // Summary: tile, what it is, and the action.
    auto* summary = new QHBoxLayout;
    summary->setSpacing(14);
    summary->addWidget(new ui::GradientTile(app.name, ui::Theme::slugColor(slug_), 64, 12, TextStyle::Title));
    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    auto* name = new Label(ui::shortened(app.name, ui::cap::name));
    name->setObjectName(QStringLiteral("appName"));
    name->setWordWrap(true);
    name->setTextStyle(TextStyle::Title2, true);
    text->addWidget(name);
    if (app.developer_name) {
        auto* developer =
            new Label(tr("by %1").arg(*app.developer_name), TextStyle::Subheadline, Tone::Secondary);
        developer->setObjectName(QStringLiteral("developer"));
        text->addWidget(developer);
    }
    auto* facts = new QHBoxLayout;
    facts->setSpacing(12);
    auto* price = new Label(ui::priceText(app.is_free, app.price_cents));
    price->setObjectName(QStringLiteral("price"));
    price->setTextStyle(TextStyle::Subheadline, true);
    facts->addWidget(price);
    if (app.average_rating > 0) {
        auto* rating = new SymbolLabel(QStringLiteral("star.fill"),
                                       ui::ratingText(app.average_rating),
                                       TextStyle::Subheadline,
                                       Tone::Primary,
                                       2);
        rating->setObjectName(QStringLiteral("rating"));
        rating->symbol()->setNamedColor(NamedColor::Yellow);
        facts->addWidget(rating);
    }
    auto* version =
        new Label(tr("v%1").arg(app.latest_version ? app.latest_version->version : QStringLiteral("1.0.0")),
                  TextStyle::Caption,
                  Tone::Secondary);
    version->setObjectName(QStringLiteral("version"));
    facts->addWidget(version);
    facts->addStretch(1);
    text->addLayout(facts);
    summary->addLayout(text, 1);

    installedRow_ = new QWidget;
    auto* installedLayout = new QHBoxLayout(installedRow_);
    installedLayout->setContentsMargins(0, 0, 0, 0);
    installedLayout->setSpacing(12);
    auto* installed =
        new SymbolLabel(QStringLiteral("checkmark.circle.fill"), tr("Installed"), TextStyle::Body);
    installed->label()->setTextStyle(TextStyle::Body, true);
    installed->setNamedColor(NamedColor::Green);
    installedLayout->addWidget(installed);
    auto* open = new ui::Button(tr("Open"), ui::Button::Kind::Prominent, ui::Button::ControlSize::Regular);
    open->setObjectName(QStringLiteral("openButton"));
    connect(open, &QPushButton::clicked, this, [this] { context_.platform.openAppBundle(appPath()); });
    installedLayout->addWidget(open);
    summary->addWidget(installedRow_, 0, Qt::AlignVCenter);

    installButton_ =
        new ui::Button(tr("Install"), ui::Button::Kind::Prominent, ui::Button::ControlSize::Large);
    installButton_->setObjectName(QStringLiteral("installButton"));
    installButton_->setMinimumWidth(70 + 24);
    // Never the dialog's default: Return alone must not install.
    installButton_->setAutoDefault(false);
    installButton_->setDefault(false);
    connect(installButton_, &QPushButton::clicked, this, &StoreAppDetailSheet::install);
    summary->addWidget(installButton_, 0, Qt::AlignVCenter);
    column->addLayout(summary);

    column->addWidget(new ui::Divider);
    auto* description = new Label(ui::shortened(app.description, ui::cap::document));
    description->setObjectName(QStringLiteral("description"));
    description->setWordWrap(true);
    description->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(description);

    auto* requirements = new ui::GroupBox(tr("Requirements"));
    requirements->setObjectName(QStringLiteral("requirements"));
    requirements->content()->setContentsMargins(14, 14, 14, 14);
    requirements->content()->setSpacing(6);
    auto* versions = new QHBoxLayout;
    auto* os = new SymbolLabel(QStringLiteral("desktopcomputer"),
                               tr("macOS %1+").arg(app.min_os_version.value_or(QStringLiteral("14.0"))),
                               TextStyle::Caption);
    os->setObjectName(QStringLiteral("minOs"));
    auto* hub = new SymbolLabel(QStringLiteral("server.rack"),
                                tr("Hub %1+").arg(app.min_hub_version.value_or(QStringLiteral("1.0.0"))),
                                TextStyle::Caption);
    hub->setObjectName(QStringLiteral("minHub"));
    versions->addWidget(os);
    versions->addStretch(1);
    versions->addWidget(hub);
    requirements->content()->addLayout(versions);
    if (app.supported_architectures && !app.supported_architectures->isEmpty()) {
        auto* architectures = new SymbolLabel(QStringLiteral("cpu"),
                                              app.supported_architectures->join(QStringLiteral(", ")),
                                              TextStyle::Caption);
        architectures->setObjectName(QStringLiteral("architectures"));
        architectures->label()->setWordWrap(true);
        requirements->content()->addWidget(architectures);
    }
    if (app.required_permissions && !app.required_permissions->isEmpty()) {
        auto* permissions =
            new SymbolLabel(QStringLiteral("lock.shield"),
                            tr("Permissions: %1").arg(app.required_permissions->join(QStringLiteral(", "))),
                            TextStyle::Caption);
        permissions->setObjectName(QStringLiteral("permissions"));
        permissions->label()->setWordWrap(true);
        requirements->content()->addWidget(permissions);
    }
    column->addWidget(requirements);

    installError_ = new Label({}, TextStyle::Caption);
    installError_->setObjectName(QStringLiteral("installError"));
    installError_->setNamedColor(NamedColor::Red);
    installError_->setWordWrap(true);
    installError_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(installError_);
    column->addStretch(1);

    auto* scroll = static_cast<QScrollArea*>(body_->widget(int(Body::Content)));
    scroll->setWidget(content_);
    showBody(Body::Content);
    setError(error_);
    if (linkNotice_) {
        installHeld_ = true;
        QTimer::singleShot(linkInstallDelay, this, [this] {
            installHeld_ = false;
            updateAction();
        });
    }
    updateAction();
}

bool StoreAppDetailSheet::isInstalling() const
{
    return isInstalling_ || context_.storeService.isInstalling(slug_);
}

void StoreAppDetailSheet::updateAction()
{
    if (!installButton_)
        return;
    const bool installed = isAppInstalled();
    installedRow_->setVisible(installed);
    installButton_->setVisible(!installed);
    installButton_->setEnabled(!isInstalling() && !installHeld_);
    installButton_->setBusy(isInstalling());
}

void StoreAppDetailSheet::setError(std::optional<QString> error)
{
    error_ = std::move(error);
    if (!installError_)
        return;
    installError_->setText(ui::shortened(error_.value_or(QString()), ui::cap::error));
    installError_->setVisible(error_.has_value());
}

QCoro::Task<> StoreAppDetailSheet::install()
{
    QPointer<StoreAppDetailSheet> self(this);
    isInstalling_ = true;
    setError(std::nullopt);
    updateAction();
    StoreService& store = context_.storeService;
    // Copied now: the window hears of the install even if this sheet has closed by then.
    const std::function<void()> installed = context_.onInstallComplete;
    const LinkOutcome linkOutcome = linkOutcome_;
    const QString slug = slug_;
    std::optional<InstallResult> result;
    std::optional<QString> failure;
    bool cutShort = false;
    try {
        result = co_await store.installApp(slug);
    } catch (const ShutdownError&) {
        cutShort = true;
        failure = describeException(std::current_exception());
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (result && installed)
        installed();
    if (linkOutcome && !cutShort)
        linkOutcome(result && !result->app.isEmpty() ? result->app : slug, failure);
    if (!ui::isLive(self))
        co_return;
    if (result) {
        // Whatever the result says, the app counts as installed.
        installResult_ = std::move(result);
        Q_EMIT installComplete();
        if (!ui::isLive(self))
            co_return;
    } else {
        setError(failure);
    }
    isInstalling_ = false;
    updateAction();
}

} // namespace zandrel
