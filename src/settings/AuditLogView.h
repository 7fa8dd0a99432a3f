#pragma once

#include "hub_api/AuditEntry.h"
#include "settings/AuditFilterModel.h"

#include <QListView>

namespace zandrel {

class AuditLogModel;

// The audit entries, one painted row each, newest first: allowed or denied, the app, the action, what
// it touched, and when. Only the rows the filter lets through are shown; at most 300 high, and rows are
// only painted on screen. Selected rows are copied with Ctrl+C or the context menu, one line each.
class AuditLogView : public QListView {
    Q_OBJECT

public:
    static constexpr int maxHeight = 300;

    explicit AuditLogView(QWidget* parent = nullptr);

    void setEntries(QList<AuditEntry> entries);
    // All entries, in the Hub's order.
    const QList<AuditEntry>& entries() const;
    // The entries shown, in the order shown.
    QList<AuditEntry> shownEntries() const;
    QList<AuditEntry> selectedEntries() const;
    AuditFilterModel* filter() const { return filter_; }

    // Puts the selected rows on the clipboard; false when none is selected.
    bool copySelection();

    // What a row shows, as text: status symbol, app, action, name or endpoint, when.
    static QStringList textsFor(const AuditEntry& entry);

    QSize sizeHint() const override;

Q_SIGNALS:
    // The number of rows shown changed (a load or a filter).
    void shownCountChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fitHeight();
    QList<AuditEntry> entriesAt(const QModelIndexList& rows) const;

    AuditLogModel* model_;
    AuditFilterModel* filter_;
};

} // namespace zandrel
