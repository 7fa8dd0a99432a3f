#include "store/UpdateChecker.h"

#include "hub_api/HubState.h"
#include "platform/NetworkState.h"
#include "preferences/Preferences.h"
#include "store/StoreService.h"
#include "wire/HttpExchange.h"

#include <QPointer>
#include <QRandomGenerator>
#include <algorithm>
#include <limits>

namespace zandrel {

UpdateChecker::UpdateChecker(StoreService& store,
                             HubState& hub,
                             Preferences& preferences,
                             NetworkState& network,
                             Clock clock,
                             Jitter jitter,
                             QObject* parent)
    : QObject(parent)
    , store_(store)
    , hub_(hub)
    , preferences_(preferences)
    , network_(network)
    , clock_(std::move(clock))
    , jitter_(std::move(jitter))
{
    timer_.setSingleShot(true);
    // Minutes or hours ahead: a few percent late is fine, and lets the system batch wake-ups.
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &UpdateChecker::checkInBackground);
    connect(&preferences_, &Preferences::backgroundUpdateCheckChanged, this, [this] {
        if (preferences_.backgroundUpdateCheck())
            start();
        else
            timer_.stop();
    });
}

std::chrono::milliseconds UpdateChecker::randomJitter(std::chrono::milliseconds bound)
{
    return std::chrono::milliseconds(QRandomGenerator::global()->bounded(qint64(bound.count()) + 1));
}

void UpdateChecker::start()
{
    if (!preferences_.backgroundUpdateCheck())
        return;
    const QDateTime now = clock_();
    const std::optional<QDateTime> last = preferences_.lastUpdateCheck();
    // A check less than an interval ago (a restart): the next one comes when it is due. A last check
    // in the future (a clock set back) counts as none.
    if (last && *last <= now) {
        const auto since = std::chrono::milliseconds(last->msecsTo(now));
        if (since < schedule_.interval) {
            plan(schedule_.interval - since + jitter_(schedule_.jitter));
            return;
        }
    }
    plan(schedule_.first);
}

void UpdateChecker::plan(std::chrono::milliseconds delay)
{
    plannedDelay_ = delay;
    // QTimer counts in int milliseconds: 24 days and more would wrap.
    timer_.start(
        std::chrono::milliseconds(std::clamp<qint64>(delay.count(), 0, std::numeric_limits<int>::max())));
}

void UpdateChecker::planNext()
{
    if (preferences_.backgroundUpdateCheck())
        plan(schedule_.interval + jitter_(schedule_.jitter));
}

QCoro::Task<> UpdateChecker::checkInBackground()
{
    if (network_.isOffline() || network_.isMetered()) {
        planNext();
        Q_EMIT backgroundCheckDone(false);
        co_return;
    }
    QPointer<UpdateChecker> self(this);
    const quint64 lists = lists_;
    const qsizetype marks = markedUpdated_.size();
    std::optional<QList<UpdateInfo>> found;
    try {
        found = updatesFrom(co_await store_.checkUpdates(installedVersions(hub_)));
    } catch (...) {
        // Quiet: the last known list stays, and the next check comes as planned.
    }
    if (!self || HttpExchange::isShutDown())
        co_return;
    if (found) {
        preferences_.setLastUpdateCheck(clock_());
        // A newer list came meanwhile (the Updates page checked): it stands. Updates that went
        // through meanwhile are not brought back; whatever else this answer found is news.
        if (lists_ == lists) {
            for (qsizetype i = marks; i < markedUpdated_.size(); ++i)
                found->removeIf([&](const UpdateInfo& update) { return update.slug == markedUpdated_[i]; });
            setUpdates(std::move(*found));
        }
    }
    planNext();
    Q_EMIT backgroundCheckDone(found.has_value());
}

QMap<QString, QString> UpdateChecker::installedVersions(const HubState& hub)
{
    QMap<QString, QString> installed;
    for (const AppInfo& app : hub.apps())
        installed.insert(app.id, app.version.value_or(QStringLiteral("0.0.0")));
    return installed;
}

QList<UpdateInfo> UpdateChecker::updatesFrom(const UpdatesResponse& response)
{
    QList<UpdateInfo> updates;
    for (auto it = response.updates.cbegin(); it != response.updates.cend(); ++it)
        updates.append(
            {it.key(), it->version, it->url, it->hash, it->size, it->notes, it->required, std::nullopt});
    return updates;
}

void UpdateChecker::setUpdates(QList<UpdateInfo> updates)
{
    ++lists_;
    markedUpdated_.clear();
    if (updates == updates_)
        return;
    updates_ = std::move(updates);
    Q_EMIT updatesChanged();
}

void UpdateChecker::markUpdated(const QString& slug)
{
    markedUpdated_.append(slug);
    const qsizetype removed =
        updates_.removeIf([&slug](const UpdateInfo& update) { return update.slug == slug; });
    if (removed > 0)
        Q_EMIT updatesChanged();
}

} // namespace zandrel
