#include "store/UpdateListModel.h"

#include "ui/Formats.h"

namespace zandrel {

void UpdateListModel::setUpdates(QList<UpdateInfo> updates)
{
    beginResetModel();
    updates_ = std::move(updates);
    endResetModel();
}

void UpdateListModel::setStates(const QSet<QString>* updating, const QSet<QString>* updated)
{
    updating_ = updating;
    updated_ = updated;
}

void UpdateListModel::refreshSlug(const QString& slug)
{
    for (int row = 0; row < updates_.size(); ++row) {
        if (updates_.at(row).slug == slug)
            Q_EMIT dataChanged(index(row), index(row));
    }
}

int UpdateListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(updates_.size());
}

QVariant UpdateListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= updates_.size())
        return {};
    const UpdateInfo& update = updates_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return ui::capitalizedWords(update.slug);
    case Qt::AccessibleTextRole:
        return tr("%1, version %2").arg(ui::capitalizedWords(update.slug), update.version);
    case Qt::AccessibleDescriptionRole: {
        // The row's state as its end shows it, then its notes.
        const QString state = updated_ && updated_->contains(update.slug)     ? tr("Updated.")
                              : updating_ && updating_->contains(update.slug) ? tr("Updating.")
                                                                              : tr("Return updates it.");
        return update.notes.isEmpty() ? state : state + u' ' + update.notes;
    }
    case UpdatingRole:
        return updating_ && updating_->contains(update.slug);
    case UpdatedRole:
        return updated_ && updated_->contains(update.slug);
    default:
        return {};
    }
}

} // namespace zandrel
