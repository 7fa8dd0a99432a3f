#pragma once

#include <QAbstractButton>

namespace zandrel::ui {

// An on/off switch: a capsule track, accent-coloured when on, with a round knob, ringed in the accent
// colour (clear of the track) while it has the keyboard's focus. Space toggles it from the keyboard;
// assistive technology reads it as a checkable button, its description saying "On" or "Off".
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT

public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    // Shows a value without reporting it as the user's change.
    void setOn(bool on);
    // The track is 30 × 16; around it, room for the focus ring.
    QSize sizeHint() const override { return {36, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void checkStateSet() override;
};

} // namespace zandrel::ui
