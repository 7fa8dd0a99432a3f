#include "settings/FallbackChainModel.h"

#include "settings/AISettingsState.h"
#include "settings/ProviderCard.h"
#include "ui/Caps.h"
#include "ui/Formats.h"

namespace zandrel {

FallbackChainModel::FallbackChainModel(const AISettingsState& state, QObject* parent)
    : QAbstractListModel(parent)
    , state_(state)
{}

void FallbackChainModel::setOrder(const QStringList& order)
{
    if (order == order_) {
        if (!order_.isEmpty())
            Q_EMIT dataChanged(index(0), index(int(order_.size()) - 1), {ColorRole});
        return;
    }
    beginResetModel();
    order_ = order;
    endResetModel();
}

int FallbackChainModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(order_.size());
}

QVariant FallbackChainModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= order_.size())
        return {};
    const QString& id = order_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return ui::shortened(ProviderCard::displayName(id), ui::cap::label);
    case Qt::AccessibleTextRole:
        return tr("%1. %2, %3")
            .arg(index.row() + 1)
            .arg(ProviderCard::displayName(id), ProviderCard::statusText(state_.providerStatus(id)));
    case IdRole:
        return id;
    case ColorRole:
        return int(ProviderCard::statusColor(state_.providerStatus(id)));
    case PositionRole:
        return QStringLiteral("%1.").arg(index.row() + 1);
    default:
        return {};
    }
}

Qt::ItemFlags FallbackChainModel::flags(const QModelIndex& index) const
{
    // Rows are dragged and dropped between others, never onto one.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

bool FallbackChainModel::moveRows(const QModelIndex& sourceParent,
                                  int sourceRow,
                                  int count,
                                  const QModelIndex& destinationParent,
                                  int destinationChild)
{
    const int size = int(order_.size());
    if (sourceParent.isValid() || destinationParent.isValid() || count < 1 || sourceRow < 0 ||
        sourceRow + count > size || destinationChild < 0 || destinationChild > size)
        return false;
    // Dropping a block onto itself or just behind itself moves nothing.
    if (destinationChild >= sourceRow && destinationChild <= sourceRow + count)
        return false;
    if (!beginMoveRows({}, sourceRow, sourceRow + count - 1, {}, destinationChild))
        return false;
    const QStringList moved = order_.mid(sourceRow, count);
    order_.remove(sourceRow, count);
    const int at = destinationChild > sourceRow ? destinationChild - count : destinationChild;
    for (int i = 0; i < count; ++i)
        order_.insert(at + i, moved.at(i));
    endMoveRows();
    Q_EMIT dataChanged(index(0), index(size - 1), {PositionRole, Qt::AccessibleTextRole});
    Q_EMIT orderEdited(order_);
    return true;
}

} // namespace zandrel
