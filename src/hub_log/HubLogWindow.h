#pragma once

#include "hub_log/HubLogFilterModel.h"
#include "hub_log/HubLogModel.h"
#include "hub_log/HubLogTail.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QAbstractItemView;
class QPushButton;
class QStackedWidget;

namespace zandrel {

namespace ui {
class EmptyStateView;
}
class HubLogDelegate;
class HubLogLinesView;
class Platform;
class Preferences;

// The Hub's log in a window of its own: the newest lines of hub.log, followed as the file grows,
// with a filter row (search, all/errors/slow, the count), a pause, wrapping, copying the selected
// lines as they are in the file, the folder in the file manager, and a clear view. It follows the
// file only while shown; its size is kept.
class HubLogWindow : public QWidget {
    Q_OBJECT

public:
    HubLogWindow(Platform& platform, Preferences& preferences, QWidget* parent = nullptr);
    ~HubLogWindow() override;

    HubLogModel& lines() { return model_; }
    HubLogFilterModel& filter() { return filter_; }
    // What the view shows: the lines, or the filter over them while it narrows them.
    QAbstractItemModel& shown();
    HubLogTail& tail() { return tail_; }
    QAbstractItemView* view() const;
    bool isFollowing() const { return following_; }
    int newWhilePaused() const { return newWhilePaused_; }

    // The selected lines, as in the file, one per line; what Ctrl+C puts on the clipboard.
    QString selectedText() const;
    bool copySelection();
    void clearView();
    // Back to following, at the newest line.
    void jumpToNewest();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFilterRow(class QBoxLayout* layout);
    void rowsArrived(int first, int last);
    void applyFilter();
    int rowsHeight(int first, int last) const;
    void scrolled(int value);
    void setFollowing(bool following);
    void updateState();
    void updateCount();
    void updateEarlier();
    void updatePaused();
    void scrollToNewestSoon();

    Platform& platform_;
    Preferences& preferences_;
    HubLogModel model_;
    HubLogFilterModel filter_;
    HubLogTail tail_;
    HubLogDelegate* delegate_;
    QLineEdit* search_;
    QComboBox* show_;
    QLabel* count_;
    QPushButton* pause_;
    QCheckBox* wrap_;
    QPushButton* openFolder_;
    QPushButton* clear_;
    QPushButton* earlier_;
    QPushButton* paused_;
    HubLogLinesView* view_;
    QStackedWidget* pages_;
    ui::EmptyStateView* missing_;
    ui::EmptyStateView* unreadable_;
    bool following_ = true;
    bool scrolling_ = false; // the window itself moves the view
    bool scrollQueued_ = false;
    bool filtering_ = false;
    bool refiltering_ = false; // the filter changed: rows come and go, but none is new
    int newWhilePaused_ = 0;
    int removedAbove_ = 0; // pixels of rows dropped above the view while paused
};

} // namespace zandrel
