#include "app/StatusBar.h"

#include "ui/Button.h"
#include "ui/ElidedLabel.h"
#include "ui/Label.h"
#include "ui/StatusDot.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace zandrel {

using ui::NamedColor;
using ui::TextStyle;
using ui::Theme;
using ui::Tone;

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent)
    , dot_(new ui::StatusDot(NamedColor::Red, 8))
    , status_(new ui::Label({}, TextStyle::Caption))
    , separator_(new ui::Label(QStringLiteral("·"), TextStyle::Body, Tone::Secondary))
    , appCount_(new ui::Label({}, TextStyle::Caption, Tone::Secondary))
    , problem_(new ui::ElidedLabel(TextStyle::Caption, Tone::Secondary))
    , logLink_(new QLabel)
    , toggle_(new ui::Button({}, ui::Button::Kind::Bordered, ui::Button::ControlSize::Small))
{
    setObjectName(QStringLiteral("statusBar"));
    dot_->setObjectName(QStringLiteral("hubStatusDot"));
    status_->setObjectName(QStringLiteral("hubStatusText"));
    separator_->setObjectName(QStringLiteral("hubStatusSeparator"));
    appCount_->setObjectName(QStringLiteral("hubAppCount"));
    problem_->setObjectName(QStringLiteral("hubProblem"));
    toggle_->setObjectName(QStringLiteral("hubToggleButton"));
    logLink_->setObjectName(QStringLiteral("hubLogLink"));
    logLink_->setFont(ui::Theme::font(TextStyle::Caption));
    logLink_->setTextFormat(Qt::RichText);
    logLink_->hide();
    logLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    logLink_->setFocusPolicy(Qt::TabFocus);
    logLink_->setAccessibleName(tr("Show the Hub's log"));
    connect(logLink_, &QLabel::linkActivated, this, &StatusBar::logRequested);
    // The button acts on the status it was built with, not on whatever a refresh brought meanwhile.
    connect(toggle_, &QPushButton::clicked, this, [this] {
        if (isRunning_)
            Q_EMIT stopRequested();
        else
            Q_EMIT startRequested();
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    layout->setSpacing(10);
    layout->addWidget(dot_, 0, Qt::AlignVCenter);
    layout->addWidget(status_, 0, Qt::AlignVCenter);
    layout->addWidget(separator_, 0, Qt::AlignVCenter);
    layout->addWidget(appCount_, 0, Qt::AlignVCenter);
    // A long explanation gives way to the button.
    layout->addWidget(problem_, 0, Qt::AlignVCenter);
    layout->addWidget(logLink_, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    layout->addWidget(toggle_, 0, Qt::AlignVCenter);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setStatus(false, 0, 0);
}

void StatusBar::setStatus(bool isRunning, int appCount, int port, const std::optional<QString>& problem)
{
    isRunning_ = isRunning;
    status_->setText(statusText(isRunning, port));
    appCount_->setText(appCountText(appCount));
    separator_->setVisible(isRunning);
    appCount_->setVisible(isRunning);
    problem_->setFullText(problem.value_or(QString()));
    problem_->setVisible(problem.has_value() && !problem->isEmpty());
    const bool namesLog = problem_->isVisibleTo(this) && problem->contains(QLatin1String("hub.log"));
    // Rich text costs a text document; the window's first paint has no need of it.
    if (namesLog && logLink_->text().isEmpty())
        logLink_->setText(QStringLiteral("<a href=\"log\">%1</a>").arg(tr("Show Log").toHtmlEscaped()));
    logLink_->setVisible(namesLog);
    toggle_->setText(isRunning ? tr("Stop") : tr("Start"));
    // The short label needs its object for a screen reader, the dot its meaning rather than its colour.
    toggle_->setAccessibleName(isRunning ? tr("Stop the Hub") : tr("Start the Hub"));
    dot_->setColor(dotColor(), isRunning ? tr("Running") : tr("Stopped"));
}

NamedColor StatusBar::dotColor() const
{
    return isRunning_ ? NamedColor::Green : NamedColor::Red;
}

QString StatusBar::statusText(bool isRunning, int port)
{
    return isRunning ? tr("Hub Running on :%1").arg(port) : tr("Hub Stopped");
}

QString StatusBar::appCountText(int appCount)
{
    return tr("%n app(s)", nullptr, appCount);
}

void StatusBar::paintEvent(QPaintEvent*)
{
    // A bar: the window colour with a hairline above it.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.fillRect(QRect(0, 0, width(), 1), Theme::textColor(Tone::Quaternary, palette()));
}

} // namespace zandrel
