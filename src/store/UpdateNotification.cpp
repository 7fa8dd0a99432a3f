#include "store/UpdateNotification.h"

#include "preferences/Preferences.h"

namespace zandrel {

UpdateNotification::UpdateNotification(Preferences& preferences, Notifier& notifier, Clock clock)
    : preferences_(preferences)
    , notifier_(notifier)
    , clock_(std::move(clock))
{}

QStringList UpdateNotification::identity(const QList<UpdateInfo>& updates)
{
    QStringList set;
    for (const UpdateInfo& update : updates)
        set.append(update.slug + u' ' + update.version);
    set.sort();
    set.removeDuplicates();
    return set;
}

bool UpdateNotification::consider(const QList<UpdateInfo>& updates,
                                  const QStringList& names,
                                  bool userAtWindow)
{
    if (updates.isEmpty()) {
        withdraw();
        return false;
    }
    if (userAtWindow)
        return false;
    const QStringList set = identity(updates);
    if (set == preferences_.notifiedUpdates())
        return false;
    const QDateTime now = clock_();
    // A notice in the future (a clock set back) does not hold the next one back for ever.
    if (const std::optional<QDateTime> last = preferences_.lastUpdateNotice(); last && *last <= now) {
        if (std::chrono::milliseconds(last->msecsTo(now)) < minimumGap)
            return false;
    }
    preferences_.setUpdateNotice(set, now);
    notifier_.show(Notifier::Kind::Updates,
                   {.title = tr("Updates available"),
                    .body = body(names),
                    .actions = {{QLatin1String(Notifier::defaultAction), tr("Show Updates")},
                                {QLatin1String(updateAllAction), tr("Update All")}},
                    .failure = false});
    return true;
}

void UpdateNotification::withdraw()
{
    notifier_.withdraw(Notifier::Kind::Updates);
}

QString UpdateNotification::body(const QStringList& names)
{
    switch (names.size()) {
    case 0:
        return tr("Updates can be installed");
    case 1:
        return tr("%1 can be updated").arg(names.at(0));
    case 2:
        return tr("%1 and %2 can be updated").arg(names.at(0), names.at(1));
    default:
        return tr("%1, %2 and %n more can be updated", nullptr, int(names.size()) - 2)
            .arg(names.at(0), names.at(1));
    }
}

} // namespace zandrel
