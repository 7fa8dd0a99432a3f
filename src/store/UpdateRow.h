#pragma once

#include <QPalette>
#include <QStyledItemDelegate>

class QAbstractItemView;

namespace zandrel {

struct UpdateInfo;

// Paints one available update as a row of the updates list: the tile with the slug's initial, the
// capitalised slug, "? → new version", the notes in at most two lines, and at the end "Updated" or
// an "Update" button (with a spinner while the update runs). A click on the button, or Return or
// Space on the current row, asks for the update.
class UpdateRow : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit UpdateRow(QAbstractItemView* view);

    void
    paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where a row's button is, for a row drawn in this rectangle.
    static QRect buttonRect(const QRect& row);
    // The texts a row shows: title, current version, new version, notes lines.
    static QStringList textsFor(const UpdateInfo& update, int width);
    // Turns the spinners of rows being updated.
    void advanceSpinner() { spinnerAngle_ = (spinnerAngle_ + 24) % 360; }

Q_SIGNALS:
    void updateRequested(int row);

protected:
    bool editorEvent(QEvent* event,
                     QAbstractItemModel* model,
                     const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    QAbstractItemView* view_;
    int spinnerAngle_ = 0;
};

} // namespace zandrel
