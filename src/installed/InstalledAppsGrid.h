#pragma once

#include "installed/InstalledApp.h"

#include <QWidget>

class QScrollArea;

namespace zandrel {

class InstalledAppCard;
class Platform;

// The installed companion apps as a grid of cards, three to a row; an empty state when there are none.
// The arrow keys move the focus from card to card by their places in the grid.
class InstalledAppsGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int columns = 3;

    InstalledAppsGrid(const QList<InstalledApp>& apps, Platform& platform, QWidget* parent = nullptr);

    QList<InstalledAppCard*> cards() const { return cards_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<InstalledAppCard*> cards_;
    QScrollArea* scroll_ = nullptr;
};

} // namespace zandrel
