#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QStringList>
#include <array>
#include <optional>

class QDBusPendingCallWatcher;

namespace zandrel {

// Notices through the desktop's notification service (org.freedesktop.Notifications). Each kind keeps
// the id the service gave it, so the next notice of that kind replaces it and a withdrawal closes it.
// The service's signals reach every client on the bus: only those for ids given to this application
// count, and only from the service itself. Without a service the fallback shows the notice. Nothing
// waits on the bus: a slow or missing service never holds up the window.
class DBusNotifier : public Notifier {
    Q_OBJECT

public:
    DBusNotifier(QDBusConnection bus,
                 QString applicationName,
                 QString desktopEntry,
                 QObject* parent = nullptr);
    // Notices about a window that is gone would lead nowhere.
    ~DBusNotifier() override;

    void show(Kind kind, const Notice& notice) override;
    void withdraw(Kind kind) override;

    // The service's id for the notice of this kind on the desktop now; 0 when there is none.
    uint idOf(Kind kind) const { return slot(kind).id; }

private Q_SLOTS:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);
    void activationToken(uint id, const QString& token);

private:
    struct Slot {
        uint id = 0;
        std::optional<Notice> wanted; // what should be on the desktop; none once withdrawn
        bool inFlight = false;        // a Notify call has not been answered yet
        bool resend = false;          // a newer notice came while it was in flight
    };
    enum class Capabilities { Unknown, Asking, Known };

    Slot& slot(Kind kind) { return slots_[size_t(kind)]; }
    const Slot& slot(Kind kind) const { return slots_[size_t(kind)]; }
    std::optional<Kind> kindOf(uint id) const;
    void askCapabilities();
    void capabilitiesAnswered(QDBusPendingCallWatcher* watcher);
    void noService();
    void send(Kind kind);
    void sendAnswered(Kind kind, QDBusPendingCallWatcher* watcher);
    void close(uint id);

    QDBusConnection bus_;
    QString applicationName_;
    QString desktopEntry_;
    Capabilities asked_ = Capabilities::Unknown;
    QStringList capabilities_;
    std::array<Slot, 3> slots_;
    QHash<uint, QString> tokens_;
};

} // namespace zandrel
