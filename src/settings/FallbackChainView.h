#pragma once

#include <QListView>
#include <functional>

namespace zandrel {

// The fallback chain's list: rows are dragged into place with the mouse, or moved with Alt+Up and
// Alt+Down; either way the model's moveRows does the move. It grows with its rows up to a dozen and
// scrolls beyond.
class FallbackChainView : public QListView {
    Q_OBJECT

public:
    static constexpr int rowHeight = 32;
    static constexpr int rowsShown = 12;

    explicit FallbackChainView(QWidget* parent = nullptr);

    bool isDragging() const { return dragging_; }
    // Called when a drag ends, with or without a drop.
    std::function<void()> dragEnded;
    // Sizes the list for this many rows.
    void fitRows(int rows);

protected:
    void startDrag(Qt::DropActions actions) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool dragging_ = false;
};

} // namespace zandrel
