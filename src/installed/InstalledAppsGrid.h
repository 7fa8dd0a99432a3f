#pragma once

#include "installed/InstalledApp.h"

#include <QWidget>

namespace zandrel {

class InstalledAppCard;
class Platform;

// The installed companion apps as a grid of cards, three to a row; an empty state when there are none.
class InstalledAppsGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int columns = 3;

    InstalledAppsGrid(const QList<InstalledApp>& apps, Platform& platform, QWidget* parent = nullptr);

    QList<InstalledAppCard*> cards() const { return cards_; }

private:
    QList<InstalledAppCard*> cards_;
};

} // namespace zandrel
