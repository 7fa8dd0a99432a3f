#include "settings/AuditLogModel.h"

#include "settings/AuditLogView.h"
#include "settings/PermissionsState.h"

#include <limits>

namespace zandrel {

void AuditLogModel::setEntries(QList<AuditEntry> entries)
{
    if (entries == entries_)
        return;
    beginResetModel();
    entries_ = std::move(entries);
    times_.clear();
    times_.reserve(entries_.size());
    for (const AuditEntry& entry : entries_) {
        const QDateTime time = parseTime(entry.timestamp);
        times_.append(time.isValid() ? time.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min());
    }
    endResetModel();
}

int AuditLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant AuditLogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const AuditEntry& entry = entries_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return AuditLogView::textsFor(entry).mid(1).join(u' ');
    case Qt::AccessibleDescriptionRole:
        // The symbol says it to the eye; the description says it to the ear.
        return entry.allowed.value_or(false) ? tr("Allowed") : tr("Denied");
    case Qt::ToolTipRole:
        return toolTipFor(entry);
    case TextsRole:
        return AuditLogView::textsFor(entry);
    case TimeRole:
        return times_.at(index.row());
    case AllowedRole:
        return entry.allowed.value_or(false);
    default:
        return {};
    }
}

QDateTime AuditLogModel::parseTime(const std::optional<QString>& timestamp)
{
    if (!timestamp || !timestamp->contains(u'T'))
        return {};
    return QDateTime::fromString(*timestamp, Qt::ISODateWithMs);
}

QString
AuditLogModel::whenText(const std::optional<QString>& timestamp, const QDateTime& now, const QLocale& locale)
{
    const QDateTime time = parseTime(timestamp);
    if (!time.isValid())
        return PermissionsState::auditTimeText(timestamp).value_or(QString()).left(40);
    const QDateTime local = time.toLocalTime();
    if (local.date() == now.toLocalTime().date()) {
        // Seconds matter in a log, also where the locale's short time leaves them out.
        QString format = locale.timeFormat(QLocale::ShortFormat);
        if (!format.contains(u's'))
            format.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
        return locale.toString(local.time(), format);
    }
    return locale.toString(local, QLocale::ShortFormat);
}

QString AuditLogModel::toolTipFor(const AuditEntry& entry, const QLocale& locale)
{
    QStringList lines;
    const QDateTime time = parseTime(entry.timestamp);
    if (time.isValid())
        lines.append(locale.toString(time.toLocalTime(), QLocale::LongFormat));
    if (entry.timestamp)
        lines.append(*entry.timestamp);
    lines.append(entry.allowed.value_or(false) ? tr("Allowed") : tr("Denied"));
    const auto add = [&lines](const QString& label, const std::optional<QString>& value) {
        if (value && !value->isEmpty())
            lines.append(label.arg(value->left(500)));
    };
    add(tr("App: %1"), entry.app);
    add(tr("Action: %1"), entry.action);
    add(tr("Name: %1"), entry.actionName);
    add(tr("Endpoint: %1"), entry.endpoint);
    add(tr("Note: %1"), entry.note);
    return lines.join(u'\n');
}

} // namespace zandrel
