#pragma once

#include "installed/InstalledApp.h"
#include "ui/Theme.h"

#include <QWidget>

class QPushButton;

namespace zandrel {

class Platform;

// One installed app in the grid: its coloured tile with the initial, its name and "Open". The card
// takes the keyboard's focus (ringed in the accent colour while it has it); Return opens the app, as
// its button does.
class InstalledAppCard : public QWidget {
    Q_OBJECT

public:
    InstalledAppCard(InstalledApp app, Platform& platform, QWidget* parent = nullptr);

    const InstalledApp& app() const { return app_; }
    // The tile colour of a companion app, by its name; gray for any other.
    static ui::NamedColor iconColor(const QString& appName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    InstalledApp app_;
    QPushButton* open_;
};

} // namespace zandrel
