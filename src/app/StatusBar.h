#pragma once

#include "ui/Theme.h"

#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;

namespace zandrel {

namespace ui {
class ElidedLabel;
class Label;
class StatusDot;
} // namespace ui

// The strip below the detail column: a green or red dot, "Hub Running on :<port> · <n> apps" or
// "Hub Stopped", a short secondary text saying why when that is known (with a link to the Hub's log
// when it names the log), and one button that starts or
// stops the Hub. It holds no state of its own: the window passes the Hub state's values and listens
// for the two requests.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    void setStatus(bool isRunning, int appCount, int port, const std::optional<QString>& problem = {});
    ui::NamedColor dotColor() const;

    // "Hub Running on :<port>" or "Hub Stopped"; "<n> apps".
    static QString statusText(bool isRunning, int port);
    static QString appCountText(int appCount);

Q_SIGNALS:
    void startRequested();
    void stopRequested();
    // The explanation's link to the Hub's log was followed.
    void logRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool isRunning_ = false;
    ui::StatusDot* dot_;
    ui::Label* status_;
    ui::Label* separator_;
    ui::Label* appCount_;
    ui::ElidedLabel* problem_;
    QLabel* logLink_;
    QPushButton* toggle_;
};

} // namespace zandrel
