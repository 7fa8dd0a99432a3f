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

    // Shows a small spinner in place of the label (or, with keepText, in place of the icon) while work
    // runs. A screen reader still hears what the button does.
    void setBusy(bool busy, bool keepText = false);
    bool isBusy() const { return spinner_ != nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    ControlSize size_;
    class Spinner* spinner_ = nullptr;
    QSize idleSize_;
    QString idleText_;
    QIcon idleIcon_;
    QString idleAccessibleName_;
};

} // namespace zandrel::ui
