#pragma once

#include "hub_api/AuditEntry.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QLocale>

namespace zandrel {

// The audit entries as a list model: each row's texts for the painted row, its time for sorting, and a
// tooltip with the whole entry.
class AuditLogModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        TextsRole = Qt::UserRole + 1, // AuditLogView::textsFor
        TimeRole,                     // milliseconds since the epoch; lowest when not a time
        AllowedRole,
    };

    using QAbstractListModel::QAbstractListModel;

    void setEntries(QList<AuditEntry> entries);
    const QList<AuditEntry>& entries() const { return entries_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The time of today's entries, the locale's short date and time of older ones; an entry whose
    // timestamp is not a time shows the time part of its text.
    static QString whenText(const std::optional<QString>& timestamp,
                            const QDateTime& now = QDateTime::currentDateTime(),
                            const QLocale& locale = QLocale());
    // The full timestamp and every detail of the entry, one per line.
    static QString toolTipFor(const AuditEntry& entry, const QLocale& locale = QLocale());
    static QDateTime parseTime(const std::optional<QString>& timestamp);

private:
    QList<AuditEntry> entries_;
    QList<qint64> times_; // parsed once: sorting asks for them often
};

} // namespace zandrel
