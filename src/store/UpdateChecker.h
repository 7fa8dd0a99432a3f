#pragma once

#include "store/Updates.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <qcoro/qcorotask.h>

namespace zandrel {

class HubState;
class NetworkState;
class Preferences;
class StoreService;

// The one list of available updates, which the sidebar, the tray and the Updates page all read, and
// the background check that keeps it fresh: 90 seconds after launch, then every 6 hours and a random
// 0-30 minutes, unless the last check was less than 6 hours ago (a restart asks nothing). A check is
// skipped while the network is offline or metered, and a failed one changes nothing: the last known
// list stays and nobody is told. The Updates page checks at once whenever it is shown, and its answer
// is this list too.
class UpdateChecker : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;
    // A random wait from zero up to the bound given.
    using Jitter = std::function<std::chrono::milliseconds(std::chrono::milliseconds bound)>;

    struct Schedule {
        std::chrono::milliseconds first{std::chrono::seconds(90)};
        std::chrono::milliseconds interval{std::chrono::hours(6)};
        std::chrono::milliseconds jitter{std::chrono::minutes(30)};
    };

    UpdateChecker(StoreService& store,
                  HubState& hub,
                  Preferences& preferences,
                  NetworkState& network,
                  Clock clock = &QDateTime::currentDateTimeUtc,
                  Jitter jitter = randomJitter,
                  QObject* parent = nullptr);

    void setSchedule(Schedule schedule) { schedule_ = schedule; }
    // Plans the first check (at launch, and again when the preference is turned on).
    void start();
    // Whether a background check is planned, and how long after planning it was set to come.
    bool isScheduled() const { return timer_.isActive(); }
    std::chrono::milliseconds plannedDelay() const { return plannedDelay_; }

    const QList<UpdateInfo>& updates() const { return updates_; }
    int count() const { return int(updates_.size()); }
    // The result of a check, from here or from the Updates page.
    void setUpdates(QList<UpdateInfo> updates);
    // An update went through: it is no longer available.
    void markUpdated(const QString& slug);
    // The Updates page is in front of the user.
    void noteViewed() { Q_EMIT updatesViewed(); }

    // What the store is asked: the Hub's installed apps with their versions, a later id winning.
    static QMap<QString, QString> installedVersions(const HubState& hub);
    static QList<UpdateInfo> updatesFrom(const UpdatesResponse& response);
    static std::chrono::milliseconds randomJitter(std::chrono::milliseconds bound);

Q_SIGNALS:
    void updatesChanged();
    // A background check has ended (or was skipped); for tests and the notifier.
    void backgroundCheckDone(bool checked);
    // The user is looking at the list (the Updates page was shown).
    void updatesViewed();

private:
    void plan(std::chrono::milliseconds delay);
    void planNext();
    QCoro::Task<> checkInBackground();

    StoreService& store_;
    HubState& hub_;
    Preferences& preferences_;
    NetworkState& network_;
    Clock clock_;
    Jitter jitter_;
    Schedule schedule_;
    QTimer timer_;
    std::chrono::milliseconds plannedDelay_{0};
    QList<UpdateInfo> updates_;
    quint64 lists_ = 0;         // moves on with every new list
    QStringList markedUpdated_; // updates done since the list came, in order
};

} // namespace zandrel
