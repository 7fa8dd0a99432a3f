#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <optional>

class QAction;
class QMenu;

namespace zandrel {

class HubState;

// The Hub in the desktop's tray: the application icon with the status dot's colour, the status text
// as its tooltip, and a menu to open the window, start or stop the Hub and quit. The icon itself exists
// only where the desktop has a tray; the menu always does, so the window's actions can share it.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    // startStop is the window's own Start/Stop action, shown in the menu as it is in the Hub menu.
    TrayIcon(HubState& hub, QAction* startStop, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Whether a tray was found; without one nothing shows and notify() declines.
    bool isAvailable() const { return tray_ != nullptr; }
    QMenu* menu() const { return menu_; }
    // Drawn when asked for, or when a tray shows it: rendering the icon is not free at start-up.
    QIcon icon();
    QString toolTip() const { return toolTip_; }

    // The number of available updates: said in the tooltip, and a menu entry that opens Updates.
    void setUpdateCount(int count);
    QAction* updatesAction() const { return updates_; }

    // A balloon from the tray; false when there is no tray to show it.
    bool notify(const QString& title, const QString& body, bool failure = false);

    // The application icon with a dot of the status colour in its lower right corner.
    static QIcon statusIcon(bool isRunning);

Q_SIGNALS:
    void openRequested();
    void updatesRequested();
    // The user clicked the balloon last shown.
    void messageClicked();
    void quitRequested();

private:
    void update();

    HubState& hub_;
    QMenu* menu_;
    QPointer<QSystemTrayIcon> tray_;
    QIcon icon_;
    std::optional<bool> iconRunning_; // the status the icon was drawn for
    QString toolTip_;
    QAction* updates_ = nullptr;
    int updateCount_ = 0;
};

} // namespace zandrel
