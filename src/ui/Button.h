#pragma once

#include <QPushButton>

namespace zandrel::ui {

// A push button in the application's styles: bordered, prominent (filled with the accent colour) or
// destructive (red label), in three control sizes. Colours follow the application's palette.
class Button : public QPushButton {
    Q_OBJECT

public:
    enum class Kind { Bordered, Prominent, Destructive };
    enum class ControlSize { Small, Regular, Large };

    explicit Button(const QString& text,
                    Kind kind = Kind::Bordered,
                    ControlSize size = ControlSize::Regular,
                    QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColors();

    Kind kind_;
    ControlSize size_;
};

} // namespace zandrel::ui
