#pragma once

#include "hub_api/AppInfo.h"
#include "hub_api/HubProbe.h"
#include "hub_api/SessionEntry.h"

#include <QObject>
#include <chrono>
#include <qcoro/qcorotask.h>

namespace zandrel {

// Wakes one waiting coroutine: when its timer fires, or earlier when the application quits.
class Waker : public QObject {
    Q_OBJECT

Q_SIGNALS:
    void woke();
};

class Platform;

// What the application knows of one app beyond the listing.
struct AppDetail {
    QList<SessionEntry> sessions;
    bool operator==(const AppDetail&) const = default;
};

// The one observable model of the local Hub: whether it answers, on which port, which apps it lists,
// and why it does not run. Nothing polls: the state changes only when refresh() runs (at start-up,
// after a start or stop request, after an install link, when the window is activated). Several
// refreshes may overlap; each applies its results when it completes, so the last to finish wins.
class HubState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(int port READ port WRITE setPort NOTIFY portChanged)

public:
    static constexpr int defaultPort = 3456;

    explicit HubState(Platform& platform, QObject* parent = nullptr);

    bool isRunning() const { return isRunning_; }
    const QList<AppInfo>& apps() const { return apps_; }
    const QMap<QString, AppDetail>& appDetails() const { return appDetails_; }
    const std::optional<QString>& error() const { return error_; }
    // Why the Hub is not running, as far as the probes and launches found out ("Port 3456 is used by
    // another program"); absent when it runs or when nothing more than "stopped" is known. A command
    // that cannot be found is reported even while the Hub runs, until the next refresh.
    const std::optional<QString>& problem() const { return problem_; }
    int port() const { return port_; }
    void setPort(int port);
    // A start or stop was launched and the look that confirms it has not finished yet.
    bool isChanging() const { return commandsInFlight_ > 0; }

    // Probes GET /api, then lists the apps. Never fails: a listing failure lands in error().
    QCoro::Task<> refresh();
    // Fetches the sessions of one app into appDetails(); failures are dropped.
    QCoro::Task<> loadAppDetail(QString appName);
    // Run "zandrel hub start|stop" detached and refresh once the Hub had time to come up or go down.
    // When the command is not on PATH, nothing is launched and problem() says so. When nothing answers
    // the look after a start, a second look follows as long after before problem() says so.
    void startHub();
    void stopHub();

    // At quit: pending delayed refreshes end without refreshing.
    void shutDown();

    // 2 s after a start and 1 s after a stop; tests shorten them.
    void setRefreshDelays(std::chrono::milliseconds afterStart, std::chrono::milliseconds afterStop);

Q_SIGNALS:
    void isRunningChanged();
    void appsChanged();
    void appDetailsChanged();
    void errorChanged();
    void problemChanged();
    void portChanged();
    void isChangingChanged();
    // Wakes the delayed refreshes so that they end (at quit).
    void shuttingDown();

private:
    // What led to a refresh: what a refused connection means depends on it. A Hub may need longer
    // than the first look after a start, so a second look comes before "no answer" is said.
    enum class Cause { Other, Start, StartAgain, Stop };
    // Where a problem came from: those of a pressed button outlive a plain refresh that finds the
    // Hub still down.
    enum class ProblemSource { Probe, Command };

    QCoro::Task<> refreshAfterCause(Cause cause);
    void applyProbe(const HubProbe& probe, int port, Cause cause);
    bool commandFound();
    void setProblem(std::optional<QString> problem, ProblemSource source = ProblemSource::Probe);
    void setIsRunning(bool value);
    void setApps(QList<AppInfo> apps);
    void setError(std::optional<QString> error);
    void runCommand(const QStringList& arguments);
    QCoro::Task<> refreshAfter(std::chrono::milliseconds delay, Cause cause);
    QCoro::Task<> confirmCommand(std::chrono::milliseconds delay, Cause cause);
    void setCommandsInFlight(int count);

    Platform& platform_;
    bool isRunning_ = false;
    QList<AppInfo> apps_;
    QMap<QString, AppDetail> appDetails_;
    std::optional<QString> error_;
    std::optional<QString> problem_;
    ProblemSource problemSource_ = ProblemSource::Probe;
    int port_ = defaultPort;
    std::chrono::milliseconds refreshAfterStart_{2000};
    std::chrono::milliseconds refreshAfterStop_{1000};
    bool shutDown_ = false;
    int commandsInFlight_ = 0;
    quint64 refreshSeq_ = 0; // the latest refresh; an earlier one's answers are dropped
};

} // namespace zandrel
