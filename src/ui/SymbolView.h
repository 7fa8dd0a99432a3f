#pragma once

#include "ui/Theme.h"

#include <QWidget>

namespace zandrel::ui {

// One symbol drawn square at the given side, in a tone of the palette, crisp at any scale.
class SymbolView : public QWidget {
    Q_OBJECT

public:
    SymbolView(QString symbolName, int side, Tone tone = Tone::Primary, QWidget* parent = nullptr);

    const QString& symbolName() const { return symbolName_; }
    void setSymbolName(QString symbolName);
    QSize sizeHint() const override { return {side_, side_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbolName_;
    int side_;
    Tone tone_;
};

} // namespace zandrel::ui
