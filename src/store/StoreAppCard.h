#pragma once

#include <QStyledItemDelegate>

namespace zandrel {

struct StoreApp;

// Paints one catalogue entry of the store grid as a card: the gradient tile with the initial, the
// price badge, the name, two lines of description, and the rating and downloads. Only cards on
// screen are ever painted, so a catalogue of thousands costs no more than a screenful.
class StoreAppCard : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The space around a card inside its grid cell: half the 16-point gap between cards.
    static constexpr int cellInset = 8;
    // A card's height for the current fonts (at least 130).
    static int cardHeight();

    void
    paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // What a card shows, as text: for tests and for the accessible description.
    struct Texts {
        QString initial, price, name, description, rating, downloads;
    };
    static Texts textsFor(const StoreApp& app);
    static void paintCard(
        QPainter* painter, const QRect& card, const StoreApp& app, const QPalette& palette, bool focused);
};

} // namespace zandrel
