#pragma once

#include "hub_api/AuditEntry.h"

#include <QDate>
#include <optional>

namespace zandrel {

// The audit log taken out of the application: as a CSV file for a spreadsheet, and as plain text for the
// clipboard. The CSV is UTF-8 with a header row, RFC 4180 quoting and ISO 8601 times; a value that a
// spreadsheet would run as a formula is written with a leading apostrophe, so opening the file runs
// nothing.
class AuditExport {
public:
    static QByteArray csv(const QList<AuditEntry>& entries);
    // Writes the CSV whole or not at all; the reason when it could not.
    static std::optional<QString> writeCsv(const QString& path, const QList<AuditEntry>& entries);
    // One line per entry, its fields separated by tabs.
    static QString text(const QList<AuditEntry>& entries);
    // "zandrel-audit-YYYY-MM-DD.csv"
    static QString defaultFileName(const QDate& day);

    // One CSV field: neutralised, then quoted when it must be.
    static QString csvField(const QString& value);
    // The entry's time in ISO 8601 (UTC when the Hub gave a zone), or the text as sent when it is not a time.
    static QString isoTime(const std::optional<QString>& timestamp);
};

} // namespace zandrel
