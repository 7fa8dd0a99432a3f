#pragma once

#include <QFrame>

namespace zandrel::ui {

// A one-pixel horizontal separator in the palette's faint line colour.
class Divider : public QFrame {
    Q_OBJECT

public:
    explicit Divider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zandrel::ui
