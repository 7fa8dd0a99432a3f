#pragma once

#include <QTableView>

namespace zandrel {

// The Hub Log's lines: one column as wide as the view. Unwrapped, every row is one line high, so
// that neither laying out nor adding rows visits every row of a long log. Wrapped, each row is as
// high as its text, measured once when it comes and again only when the width or the font changes.
// It scrolls to its current row only when the user moves it: while quiet (the oldest lines being
// dropped, which moves the current row too) it stays where the user reads.
class HubLogLinesView : public QTableView {
    Q_OBJECT

public:
    explicit HubLogLinesView(QWidget* parent = nullptr);

    void setQuiet(bool quiet) { quiet_ = quiet; }
    void setWrapping(bool wrap);
    void setModel(QAbstractItemModel* model) override;

Q_SIGNALS:
    // Rows came, and the view has laid them out: its scroll range counts them.
    void rowsArrived(int first, int last);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    int lineHeight() const;
    // Wrapped: gives rows first to last the height of their text; all of them, at this width.
    void fitRows(int first, int last);
    void fitAllRows();
    // Every row again, once the loop comes round: many width changes in one turn, one pass.
    void fitAllRowsSoon();

    bool quiet_ = false;
    bool fitQueued_ = false;
    int fittedWidth_ = -1;
};

} // namespace zandrel
