#pragma once

#include "store/StoreApp.h"

#include <QAbstractListModel>

namespace zandrel {

// The catalogue entries the store grid shows, one row each, in the store's order.
class StoreAppListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setApps(QList<StoreApp> apps);
    const QList<StoreApp>& apps() const { return apps_; }
    const StoreApp& app(int row) const { return apps_.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    // The name for display and keyboard search; for accessibility, the card's name, developer, price
    // and rating as its text, its description and downloads as its description.
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<StoreApp> apps_;
};

} // namespace zandrel
