#pragma once

#include "ui/Theme.h"

#include <QWidget>

namespace zandrel::ui {

// A small filled circle in a named colour: a provider's status, a signed-in account. Its accessible
// name says what the colour means when the owner tells it, else the colour itself.
class StatusDot : public QWidget {
    Q_OBJECT

public:
    explicit StatusDot(NamedColor color, int side = 8, QWidget* parent = nullptr);

    NamedColor color() const { return color_; }
    void setColor(NamedColor color, const QString& meaning = {});

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static QString colorName(NamedColor color);

    NamedColor color_;
};

} // namespace zandrel::ui
