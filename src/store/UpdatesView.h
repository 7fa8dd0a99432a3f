#pragma once

#include "store/Updates.h"
#include "ui/PageContext.h"
#include "ui/Reloadable.h"

#include <QBasicTimer>
#include <QSet>
#include <QWidget>
#include <optional>
#include <qcoro/qcorotask.h>

class QListView;
class QStackedWidget;

namespace zandrel {

namespace ui {
class Button;
class ErrorBanner;
class Label;
} // namespace ui
class UpdateListModel;
class UpdateRow;

// The Updates page: each time it is shown it sends the Hub's installed apps with their versions to
// the store's update check and lists the apps that have a newer version. A row's button updates that
// app; "Update All" updates the pending ones one after the other, going on past a failure.
class UpdatesView : public QWidget, public ui::Reloadable {
    Q_OBJECT

public:
    enum class Main { Checking, UpToDate, List };

    explicit UpdatesView(const PageContext& context, QWidget* parent = nullptr);
    // Checks for updates again.
    void reload() override;
    ~UpdatesView() override;

    const QList<UpdateInfo>& updates() const;
    const QSet<QString>& updatedSlugs() const { return updated_; }
    const QSet<QString>& updatingSlugs() const { return updating_; }
    bool isUpdatingAll() const { return isUpdatingAll_; }
    const std::optional<QString>& error() const { return error_; }
    int pendingCount() const;
    Main main() const { return shown_; }
    QListView* list() const { return list_; }

    // What a row's button does.
    QCoro::Task<> updateApp(QString slug);
    QCoro::Task<> updateAll();
    // "Update All" from outside the page (a notice's button): at once, or when the check running
    // now has answered.
    void updateAllOnceChecked();

protected:
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QCoro::Task<> checkUpdates();
    void refresh();
    void setError(std::optional<QString> error);
    void slugChanged(const QString& slug);
    void adoptBackgroundCheck();

    PageContext context_;
    bool isLoading_ = false;
    // The latest check: an answer to an earlier one is dropped.
    quint64 checkSeq_ = 0;
    bool isUpdatingAll_ = false;
    bool updateAllWhenChecked_ = false;
    QSet<QString> updated_;
    QSet<QString> updating_;
    std::optional<QString> error_;
    QBasicTimer spinnerTimer_;

    QStackedWidget* main_;
    ui::Label* header_;
    ui::Button* updateAllButton_;
    UpdateListModel* model_;
    UpdateRow* rows_;
    QListView* list_;
    ui::ErrorBanner* banner_;
    Main shown_ = Main::Checking;
};

} // namespace zandrel
