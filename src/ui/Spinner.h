#pragma once

#include <QBasicTimer>
#include <QWidget>

namespace zandrel::ui {

// The indeterminate progress indicator: a turning arc in the palette's text colour. It turns only
// while visible, so a hidden spinner costs nothing.
class Spinner : public QWidget {
    Q_OBJECT

public:
    explicit Spinner(int side = 16, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer timer_;
    int angle_ = 0;
};

// A spinner above a line of text ("Loading apps…"), centred.
class ProgressLabel : public QWidget {
    Q_OBJECT

public:
    explicit ProgressLabel(const QString& text, QWidget* parent = nullptr);
};

} // namespace zandrel::ui
