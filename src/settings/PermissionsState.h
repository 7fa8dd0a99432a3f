#pragma once

#include "hub_api/AuditEntry.h"
#include "hub_api/PermissionSet.h"

#include <QObject>
#include <optional>
#include <qcoro/qcorotask.h>

namespace zandrel {

// What the permissions tab shows: each app's permission set and the recent audit log, loaded from
// the Hub, and single permission changes written back. Every request goes through a fresh client
// on the fixed Hub port (3456 unless a test says otherwise).
class PermissionsState : public QObject {
    Q_OBJECT

public:
    // How many audit entries a load asks for at first, and the most "Show more" goes to.
    static constexpr int auditLimit = 20;
    static constexpr int maxAuditLimit = 1000;

    explicit PermissionsState(int port = 3456, QObject* parent = nullptr);

    const PermissionMap& permissions() const { return permissions_; }
    const QList<AuditEntry>& auditLog() const { return auditLog_; }
    bool isLoading() const { return isLoading_; }
    const std::optional<QString>& error() const { return error_; }
    // How many audit entries the loads ask for now.
    int auditRequestLimit() const { return auditLimit_; }
    // The Hub sent as many entries as were asked for, so it may hold more, and the limit can still grow.
    bool canShowMoreAudit() const { return auditLimit_ < maxAuditLimit && auditLog_.size() >= auditLimit_; }
    bool isLoadingMoreAudit() const { return loadingMore_; }

    // Permissions, then the audit log. A failure keeps what was replaced before it. Only the latest
    // load counts: an earlier one still running drops its answers and leaves isLoading alone.
    QCoro::Task<> load();
    // Shows the change at once, then sends the app's whole set. When the Hub refuses it, the switch
    // goes back to where it was (unless a later flip moved it meanwhile), the permissions are read
    // again from the Hub, and the error is kept: a refused change never looks granted.
    QCoro::Task<> togglePermission(QString app, QString perm, bool value);
    // Asks for the audit log again with the next larger limit (100, 250, 500, 1,000); later loads keep
    // it. A failure keeps the list and the limit as they were and lands in error().
    QCoro::Task<> showMoreAudit();

    // The time of an audit entry as the log shows it ("12:34:56"), or nothing.
    static std::optional<QString> auditTimeText(const std::optional<QString>& timestamp);

Q_SIGNALS:
    void permissionsChanged();
    void auditLogChanged();
    void isLoadingChanged();
    void errorChanged();
    void isLoadingMoreAuditChanged();

private:
    void setPermissions(PermissionMap permissions);
    void setAuditLog(QList<AuditEntry> entries);
    void setIsLoading(bool value);
    void setError(std::optional<QString> error);
    void setLoadingMore(bool value);
    // Reads the permissions; the answer is applied only while no later read was sent, with the
    // flips it may not know about laid over it. Throws the request's failure.
    QCoro::Task<> readPermissions();
    void applyRead(PermissionMap answer);

    int port_;
    PermissionMap permissions_;
    QList<AuditEntry> auditLog_;
    bool isLoading_ = false;
    std::optional<QString> error_;
    // The latest flip of each switch (app/perm), so a refused flip restores only while no later one came.
    QMap<QString, quint64> flips_;
    quint64 flipSeq_ = 0;
    // Flips a read may not know about: those still on their way, and those accepted while the
    // latest read was out (it may have been answered before them). Refused flips leave.
    struct LocalFlip {
        quint64 id;
        QString app;
        QString perm;
        bool value;
        bool accepted;
    };
    QList<LocalFlip> localFlips_;
    quint64 loadSeq_ = 0;
    // Every audit request, a load's or Show more's: only the latest one sent is applied.
    quint64 auditSeq_ = 0;
    int auditLimit_ = auditLimit;
    int moreLimit_ = 0; // what a "Show more" still on its way asked for
    bool loadingMore_ = false;
    quint64 readSeq_ = 0;
    bool readOut_ = false;
    // Per app: requests still on their way, and the last refusal waiting for them.
    QMap<QString, int> inFlight_;
    QMap<QString, QString> refused_;
};

} // namespace zandrel
