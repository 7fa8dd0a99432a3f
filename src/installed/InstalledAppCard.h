#pragma once

#include "installed/InstalledApp.h"
#include "ui/Theme.h"

#include <QWidget>

namespace zandrel {

class Platform;

// One installed app in the grid: its coloured tile with the initial, its name and "Open".
class InstalledAppCard : public QWidget {
    Q_OBJECT

public:
    InstalledAppCard(InstalledApp app, Platform& platform, QWidget* parent = nullptr);

    const InstalledApp& app() const { return app_; }
    // The tile colour of a companion app, by its name; gray for any other.
    static ui::NamedColor iconColor(const QString& appName);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    InstalledApp app_;
};

} // namespace zandrel
