#include "store/StoreAppListModel.h"

#include "ui/Formats.h"

namespace zandrel {

void StoreAppListModel::setApps(QList<StoreApp> apps)
{
    beginResetModel();
    apps_ = std::move(apps);
    endResetModel();
}

int StoreAppListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(apps_.size());
}

QVariant StoreAppListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= apps_.size())
        return {};
    const StoreApp& app = apps_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return app.name;
    case Qt::AccessibleTextRole:
        return QStringLiteral("%1, %2. %3")
            .arg(app.name, ui::priceText(app.is_free, app.price_cents), app.short_description);
    default:
        return {};
    }
}

} // namespace zandrel
