#pragma once

#include "ui/Theme.h"

#include <QWidget>

class QPainter;

namespace zandrel::ui {

// A rounded square filled with a gradient of one colour, showing a name's initial in white.
class GradientTile : public QWidget {
    Q_OBJECT

public:
    GradientTile(const QString& name,
                 NamedColor color,
                 int side = 48,
                 int radius = 12,
                 TextStyle initialStyle = TextStyle::Title2,
                 QWidget* parent = nullptr);

    const QString& initial() const { return initial_; }

    // The same tile painted into a rectangle, for cells that a delegate paints.
    static void paint(QPainter* painter,
                      const QRect& rect,
                      const QString& initial,
                      NamedColor color,
                      int radius,
                      TextStyle initialStyle,
                      const QPalette& palette);
    NamedColor color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString initial_;
    NamedColor color_;
    int radius_;
    TextStyle initialStyle_;
};

} // namespace zandrel::ui
