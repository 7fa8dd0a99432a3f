#pragma once

#include <QAbstractButton>

namespace zandrel::ui {

// An on/off switch: a capsule track, accent-coloured when on, with a round knob. Space toggles it
// from the keyboard; assistive technology reads it as a checkable button with its state.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT

public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    // Shows a value without reporting it as the user's change.
    void setOn(bool on);
    QSize sizeHint() const override { return {32, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zandrel::ui
