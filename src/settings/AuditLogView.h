#pragma once

#include "hub_api/AuditEntry.h"

#include <QListView>

namespace zandrel {

class AuditLogModel;

// The recent audit entries, one painted row each, in the Hub's order: allowed or denied, the app,
// the action, what it touched, and the time. At most 300 high; rows are only painted on screen.
class AuditLogView : public QListView {
    Q_OBJECT

public:
    static constexpr int maxHeight = 300;

    explicit AuditLogView(QWidget* parent = nullptr);

    void setEntries(QList<AuditEntry> entries);
    const QList<AuditEntry>& entries() const;

    // What a row shows, as text: status symbol, app, action, name or endpoint, time.
    static QStringList textsFor(const AuditEntry& entry);

    QSize sizeHint() const override;

private:
    AuditLogModel* model_;
};

} // namespace zandrel
