#include "settings/AuditFilterModel.h"

#include "settings/AuditLogModel.h"

namespace zandrel {

AuditFilterModel::AuditFilterModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    sort(0, Qt::DescendingOrder);
}

void AuditFilterModel::setSearch(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == search_)
        return;
    search_ = trimmed;
    invalidateFilter();
}

void AuditFilterModel::setApp(const QString& app)
{
    if (app == app_)
        return;
    app_ = app;
    invalidateFilter();
}

void AuditFilterModel::setOutcome(Outcome outcome)
{
    if (outcome == outcome_)
        return;
    outcome_ = outcome;
    invalidateFilter();
}

bool AuditFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* log = qobject_cast<const AuditLogModel*>(sourceModel());
    if (!log || sourceRow >= log->entries().size())
        return false;
    const AuditEntry& entry = log->entries().at(sourceRow);
    if (!app_.isEmpty() && entry.app.value_or(QString()) != app_)
        return false;
    const bool allowed = entry.allowed.value_or(false);
    if ((outcome_ == Outcome::Allowed && !allowed) || (outcome_ == Outcome::Denied && allowed))
        return false;
    if (search_.isEmpty())
        return true;
    for (const std::optional<QString>* field :
         {&entry.app, &entry.action, &entry.actionName, &entry.endpoint, &entry.note}) {
        if (*field && (*field)->contains(search_, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool AuditFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return left.data(AuditLogModel::TimeRole).toLongLong() < right.data(AuditLogModel::TimeRole).toLongLong();
}

} // namespace zandrel
