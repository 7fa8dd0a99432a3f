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
    case Qt::AccessibleTextRole: {
        // What the card shows, in the order it shows it.
        QStringList parts{app.name};
        if (app.developer_name && !app.developer_name->isEmpty())
            parts.append(tr("by %1").arg(*app.developer_name));
        parts.append(ui::priceText(app.is_free, app.price_cents));
        if (app.average_rating > 0)
            parts.append(tr("rated %1").arg(ui::ratingText(app.average_rating)));
        return parts.join(QStringLiteral(", "));
    }
    case Qt::AccessibleDescriptionRole: {
        QString description = app.short_description;
        if (app.download_count >= 1)
            description += (description.isEmpty() ? QString() : QStringLiteral(" ")) +
                           tr("Downloads: %1.").arg(app.download_count);
        return description;
    }
    default:
        return {};
    }
}

} // namespace zandrel
