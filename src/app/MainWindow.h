#pragma once

#include "installed/SidebarItem.h"
#include "preferences/Preferences.h"
#include "ui/PageContext.h"

#include <QMainWindow>
#include <QPointer>
#include <optional>

class QAction;
class QMenu;

namespace zandrel {

class ContentView;
class HubLogWindow;
class ShortcutsDialog;

// The application's window: the content (sidebar, page, status bar) under a menu bar whose commands
// are actions with the desktop's standard keys. It remembers its place, size and section in the
// preferences, and closing it either quits or, when the user chose so and a tray exists, only hides it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(PageContext context,
               std::optional<SidebarItem> initialSelection,
               Preferences& preferences,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    ContentView& content() const { return *content_; }
    QAction* startStopAction() const { return startStop_; }

    // Puts the window where the preferences say it was, within a screen that exists now.
    void restorePlace();
    // Stores the window's place and section (at close, at quit).
    void rememberPlace();
    // Brings a hidden or minimised window forward.
    void bringForward();
    ShortcutsDialog* showShortcuts();
    // The one Hub Log window, opened or raised.
    HubLogWindow* showHubLog();
    // Brings the window forward on a section.
    void goTo(std::optional<SidebarItem> section);
    // Brings the window forward on Browse with the store page of the app a link names, for the user to
    // confirm. Answers false when the link was dropped (an install of the user's own is running).
    bool openLinkedInstall(const QString& slug);

    // Where a window of this size fits on a screen's available area: shrunk to fit (never below the
    // minimum), then moved inside.
    static QRect fitOnScreen(const QRect& wanted, const QRect& available, const QSize& minimum);

    // Quit chosen here or elsewhere (the tray): the place is kept once, and the close that quitting
    // sends the window asks for nothing more.
    void quit();

Q_SIGNALS:
    // Quit, from the menu or by closing the window when it does not stay in the tray.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* addCommand(QMenu* menu,
                        const QString& objectName,
                        const QString& text,
                        const QKeySequence& fallback,
                        QKeySequence::StandardKey standard = QKeySequence::UnknownKey);
    static PageContext withHubLog(PageContext context, MainWindow* window);
    void buildMenus();
    void updateStartStop();
    void findInStore();

    PageContext context_;
    Preferences& preferences_;
    ContentView* content_;
    QAction* startStop_ = nullptr;
    QList<QPair<QMenu*, QList<QAction*>>> menus_;
    QPointer<ShortcutsDialog> shortcuts_;
    QPointer<HubLogWindow> hubLog_;
    bool shownOnce_ = false;
    // Quit was chosen: the close events quitting sends are no second request.
    bool quitting_ = false;
};

} // namespace zandrel
