#pragma once

#include "platform/Notifier.h"
#include "store/Updates.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>
#include <chrono>
#include <functional>

namespace zandrel {

class Preferences;

// When the desktop hears of available updates, and what it is told. A notice goes out for a set of
// updates (slug and version) other than the one last named, while the user is not at the window, at
// most once a day; the same set is never named twice, not even after a restart. It is withdrawn when
// nothing is left to update or the user opens Updates.
class UpdateNotification {
    Q_DECLARE_TR_FUNCTIONS(UpdateNotification)

public:
    using Clock = std::function<QDateTime()>;

    static constexpr std::chrono::hours minimumGap{24};
    static constexpr const char* updateAllAction = "update-all";

    UpdateNotification(Preferences& preferences,
                       Notifier& notifier,
                       Clock clock = &QDateTime::currentDateTimeUtc);

    // A new list of updates, with the names to show for them in the same order. Answers whether a
    // notice went out.
    bool consider(const QList<UpdateInfo>& updates, const QStringList& names, bool userAtWindow);
    void withdraw();

    // "Orvane, Dulvet and 1 more can be updated".
    static QString body(const QStringList& names);
    // The set a list stands for, in an order of its own.
    static QStringList identity(const QList<UpdateInfo>& updates);

private:
    Preferences& preferences_;
    Notifier& notifier_;
    Clock clock_;
};

} // namespace zandrel
