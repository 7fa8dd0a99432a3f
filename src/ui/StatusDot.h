#pragma once

#include "ui/Theme.h"

#include <QWidget>

namespace zandrel::ui {

// A small filled circle in a named colour: a provider's status, a signed-in account.
class StatusDot : public QWidget {
    Q_OBJECT

public:
    explicit StatusDot(NamedColor color, int side = 8, QWidget* parent = nullptr);

    NamedColor color() const { return color_; }
    void setColor(NamedColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NamedColor color_;
};

} // namespace zandrel::ui
