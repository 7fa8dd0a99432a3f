#pragma once

#include "store/Updates.h"

#include <QAbstractListModel>
#include <QSet>

namespace zandrel {

// The available updates the updates page lists, with each one's state: pending, updating, updated.
class UpdateListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { UpdatingRole = Qt::UserRole + 1, UpdatedRole };

    using QAbstractListModel::QAbstractListModel;

    void setUpdates(QList<UpdateInfo> updates);
    const QList<UpdateInfo>& updates() const { return updates_; }
    const UpdateInfo& update(int row) const { return updates_.at(row); }
    // Repaints the rows of this slug after its state changed.
    void refreshSlug(const QString& slug);
    // Where the page keeps the per-slug states the rows show.
    void setStates(const QSet<QString>* updating, const QSet<QString>* updated);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<UpdateInfo> updates_;
    const QSet<QString>* updating_ = nullptr;
    const QSet<QString>* updated_ = nullptr;
};

} // namespace zandrel
