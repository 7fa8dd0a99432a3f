#include "settings/AuditExport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSaveFile>

namespace zandrel {

namespace {

QString outcome(const AuditEntry& entry)
{
    return entry.allowed.value_or(false) ? QStringLiteral("allowed") : QStringLiteral("denied");
}

} // namespace

QString AuditExport::csvField(const QString& value)
{
    QString field = value;
    // =, +, -, @ start a formula in the common spreadsheets; a tab or carriage return can hide one.
    if (!field.isEmpty()) {
        const QChar first = field.front();
        if (first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
            first == u'\r')
            field.prepend(u'\'');
    }
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n')) {
        field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        field = u'"' + field + u'"';
    }
    return field;
}

QString AuditExport::isoTime(const std::optional<QString>& timestamp)
{
    if (!timestamp)
        return {};
    const QDateTime time = QDateTime::fromString(*timestamp, Qt::ISODateWithMs);
    if (!time.isValid())
        return *timestamp;
    // A time without a zone is kept as it was given rather than guessed into UTC.
    if (time.timeSpec() == Qt::LocalTime)
        return time.toString(Qt::ISODateWithMs);
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QByteArray AuditExport::csv(const QList<AuditEntry>& entries)
{
    QString out = QStringLiteral("timestamp,app,action,endpoint,action_name,outcome,note\r\n");
    for (const AuditEntry& entry : entries) {
        const QStringList fields = {isoTime(entry.timestamp),
                                    entry.app.value_or(QString()),
                                    entry.action.value_or(QString()),
                                    entry.endpoint.value_or(QString()),
                                    entry.actionName.value_or(QString()),
                                    outcome(entry),
                                    entry.note.value_or(QString())};
        QStringList quoted;
        quoted.reserve(fields.size());
        for (const QString& field : fields)
            quoted.append(csvField(field));
        out += quoted.join(u',') + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

std::optional<QString> AuditExport::writeCsv(const QString& path, const QList<AuditEntry>& entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = csv(entries);
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

QString AuditExport::text(const QList<AuditEntry>& entries)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const AuditEntry& entry : entries) {
        const QString what = entry.target();
        QStringList fields = {isoTime(entry.timestamp),
                              entry.app.value_or(QString()),
                              entry.action.value_or(QString()),
                              what,
                              entry.allowed.value_or(false)
                                  ? QCoreApplication::translate("AuditExport", "Allowed")
                                  : QCoreApplication::translate("AuditExport", "Denied")};
        // A tab or line break inside a value would split it.
        for (QString& field : fields) {
            for (QChar& c : field) {
                if (c == u'\t' || c == u'\n' || c == u'\r')
                    c = u' ';
            }
        }
        lines.append(fields.join(u'\t'));
    }
    return lines.join(u'\n');
}

QString AuditExport::defaultFileName(const QDate& day)
{
    return QStringLiteral("zandrel-audit-%1.csv").arg(day.toString(Qt::ISODate));
}

} // namespace zandrel
