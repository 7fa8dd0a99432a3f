#include "hub_api/HubState.h"

#include "hub_api/HubAPIClient.h"
#include "platform/Platform.h"
#include "wire/HttpExchange.h"

#include <QPointer>
#include <QTimer>
#include <qcoro/qcorosignal.h>
#include <qcoro/qcorotimer.h>

namespace zandrel {

HubState::HubState(Platform& platform, QObject* parent)
    : QObject(parent)
    , platform_(platform)
{}

void HubState::setPort(int port)
{
    if (port_ == port)
        return;
    port_ = port;
    // What was found on the old port says nothing about the new one, nor will a look still out there.
    ++refreshSeq_;
    setProblem(std::nullopt);
    Q_EMIT portChanged();
}

void HubState::setIsRunning(bool value)
{
    if (isRunning_ == value)
        return;
    isRunning_ = value;
    Q_EMIT isRunningChanged();
}

void HubState::setApps(QList<AppInfo> apps)
{
    if (apps_ == apps)
        return;
    apps_ = std::move(apps);
    Q_EMIT appsChanged();
}

void HubState::setError(std::optional<QString> error)
{
    // Exchanges ended by quitting are nobody's failure.
    if (error && HttpExchange::isShutDown())
        return;
    if (error_ == error)
        return;
    error_ = std::move(error);
    Q_EMIT errorChanged();
}

void HubState::setProblem(std::optional<QString> problem, ProblemSource source)
{
    if (HttpExchange::isShutDown())
        return;
    problemSource_ = source;
    if (problem_ == problem)
        return;
    problem_ = std::move(problem);
    Q_EMIT problemChanged();
}

void HubState::setRefreshDelays(std::chrono::milliseconds afterStart, std::chrono::milliseconds afterStop)
{
    refreshAfterStart_ = afterStart;
    refreshAfterStop_ = afterStop;
}

QCoro::Task<> HubState::refresh()
{
    return refreshAfterCause(Cause::Other);
}

QCoro::Task<> HubState::refreshAfterCause(Cause cause)
{
    QPointer<HubState> self(this);
    const int port = port_;
    // Only the latest refresh tells: an earlier one answered late describes a Hub that was.
    const quint64 seq = ++refreshSeq_;
    const HubProbe found = co_await HubAPIClient(port).probe();
    if (!self || self->refreshSeq_ != seq)
        co_return;
    const bool running = found.outcome == HubProbe::Outcome::Running;
    self->setIsRunning(running);
    self->applyProbe(found, port, cause);
    if (cause == Cause::Start && found.outcome == HubProbe::Outcome::NothingListening)
        self->refreshAfter(self->refreshAfterStart_, Cause::StartAgain);
    if (!running) {
        // error and appDetails keep what they hold.
        self->setApps({});
        co_return;
    }

    const HubAPIClient client(port);
    try {
        QList<AppInfo> apps = co_await client.getApps();
        if (!self || self->refreshSeq_ != seq)
            co_return;
        self->setApps(std::move(apps));
        self->setError(std::nullopt);
    } catch (...) {
        if (self && self->refreshSeq_ == seq)
            self->setError(describeException(std::current_exception()));
    }
}

void HubState::applyProbe(const HubProbe& probe, int probedPort, Cause cause)
{
    using Outcome = HubProbe::Outcome;
    const QString port = QString::number(probedPort);
    switch (probe.outcome) {
    case Outcome::Running:
        setProblem(std::nullopt);
        return;
    case Outcome::InvalidPort:
        setProblem(tr("Port %1 is outside 1–65535").arg(port));
        return;
    case Outcome::NotTheHub:
        setProblem(tr("Port %1 answers, but not as the Hub (HTTP %2)").arg(port).arg(probe.status));
        return;
    case Outcome::OtherProgram:
        setProblem(tr("Port %1 is used by another program").arg(port));
        return;
    case Outcome::Failed:
        setProblem(probe.description);
        return;
    case Outcome::NothingListening:
        break;
    }
    // Nothing listens. After a stop that is the wish come true; after a start, the second look tells;
    // otherwise a failed start or a missing command still explains it, anything else is stale.
    if (cause == Cause::Start)
        return;
    if (cause == Cause::StartAgain) {
        const QString log = QStringLiteral(".zandrel/hub/hub.log");
        setProblem(platform_.exists(platform_.homePath(log)) ? tr("No answer after Start; see ~/%1").arg(log)
                                                             : tr("No answer after Start"),
                   ProblemSource::Command);
    } else if (cause == Cause::Stop || problemSource_ == ProblemSource::Probe) {
        setProblem(std::nullopt);
    }
}

QCoro::Task<> HubState::loadAppDetail(QString appName)
{
    if (!isRunning_)
        co_return;
    QPointer<HubState> self(this);
    const HubAPIClient client(port_);
    try {
        QList<SessionEntry> sessions = co_await client.getSessions(appName);
        if (!self)
            co_return;
        AppDetail detail{std::move(sessions)};
        auto existing = self->appDetails_.constFind(appName);
        if (existing != self->appDetails_.constEnd() && *existing == detail)
            co_return;
        self->appDetails_.insert(appName, std::move(detail));
        Q_EMIT self->appDetailsChanged();
    } catch (...) {
        // A session list is a nicety; its failure changes nothing.
    }
}

void HubState::startHub()
{
    if (!commandFound())
        return;
    runCommand({QStringLiteral("hub"), QStringLiteral("start")});
    confirmCommand(refreshAfterStart_, Cause::Start);
}

void HubState::stopHub()
{
    if (!commandFound())
        return;
    runCommand({QStringLiteral("hub"), QStringLiteral("stop")});
    confirmCommand(refreshAfterStop_, Cause::Stop);
}

bool HubState::commandFound()
{
    // /usr/bin/env would fail unseen; looking first lets the status bar say why nothing happens.
    if (!platform_.findExecutable(QStringLiteral("zandrel")).isEmpty())
        return true;
    setProblem(tr("The zandrel command is not on PATH"), ProblemSource::Command);
    return false;
}

void HubState::runCommand(const QStringList& arguments)
{
    // zandrel is looked up on the application's PATH; a failed launch shows only in the next refresh.
    platform_.launchDetached(QStringLiteral("/usr/bin/env"),
                             QStringList{QStringLiteral("zandrel")} + arguments);
}

void HubState::shutDown()
{
    shutDown_ = true;
    Q_EMIT shuttingDown();
}

QCoro::Task<> HubState::confirmCommand(std::chrono::milliseconds delay, Cause cause)
{
    QPointer<HubState> self(this);
    setCommandsInFlight(commandsInFlight_ + 1);
    co_await refreshAfter(delay, cause);
    if (self)
        self->setCommandsInFlight(self->commandsInFlight_ - 1);
}

void HubState::setCommandsInFlight(int count)
{
    const bool was = isChanging();
    commandsInFlight_ = count;
    if (was != isChanging())
        Q_EMIT isChangingChanged();
}

QCoro::Task<> HubState::refreshAfter(std::chrono::milliseconds delay, Cause cause)
{
    QPointer<HubState> self(this);
    if (shutDown_)
        co_return;
    // Not a child of this state: it must outlive the wait even if the state goes first.
    auto* waker = new Waker;
    QTimer::singleShot(delay, waker, &Waker::woke);
    connect(this, &HubState::shuttingDown, waker, &Waker::woke);
    co_await qCoro(waker, &Waker::woke);
    waker->deleteLater();
    if (!self || self->shutDown_)
        co_return;
    co_await self->refreshAfterCause(cause);
}

} // namespace zandrel
