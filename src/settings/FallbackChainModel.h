#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace zandrel {

class AISettingsState;

// The fallback chain as a list of provider ids, first tried first. Rows move by drag and drop or by
// keys (moveRows); a move tells orderEdited with the whole new order, every entry kept.
class FallbackChainModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { IdRole = Qt::UserRole + 1, ColorRole, PositionRole };

    explicit FallbackChainModel(const AISettingsState& state, QObject* parent = nullptr);

    const QStringList& order() const { return order_; }
    // Shows this order; the same order only repaints (statuses may have changed).
    void setOrder(const QStringList& order);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    bool moveRows(const QModelIndex& sourceParent,
                  int sourceRow,
                  int count,
                  const QModelIndex& destinationParent,
                  int destinationChild) override;

Q_SIGNALS:
    void orderEdited(const QStringList& order);

private:
    const AISettingsState& state_;
    QStringList order_;
};

} // namespace zandrel
