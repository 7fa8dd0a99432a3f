#pragma once

#include "store/StoreApp.h"
#include "ui/PageContext.h"
#include "ui/Reloadable.h"

#include <QPointer>
#include <QWidget>
#include <optional>
#include <qcoro/qcorotask.h>

class QHBoxLayout;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace zandrel {

namespace ui {
class EmptyStateView;
}
class CategoryPill;
class StoreAppDetailSheet;
class StoreAppListModel;

// The store browser: a search row, a strip of category pills and the grid of catalogue entries.
// Each time it is shown it fetches the categories, then the catalogue; return in the search field,
// "Clear", a pill and "Retry" load the catalogue again. A card opens the app's detail sheet.
class StoreView : public QWidget, public ui::Reloadable {
    Q_OBJECT

public:
    enum class Content { Loading, Empty, Grid, Unavailable };

    explicit StoreView(const PageContext& context, QWidget* parent = nullptr);
    ~StoreView() override;

    const QList<StoreApp>& apps() const;
    const QList<StoreCategory>& categories() const { return categories_; }
    const std::optional<QString>& selectedCategory() const { return selectedCategory_; }
    bool isLoading() const { return isLoading_; }
    const std::optional<QString>& error() const { return error_; }
    Content content() const { return shown_; }
    QListView* grid() const { return grid_; }
    // The detail sheet while one is open.
    StoreAppDetailSheet* detailSheet() const;

    // Opens the detail sheet of the app in this row of the grid.
    void openDetail(int row);
    // Opens the detail sheet for an app a zandrel: link names, saying so at its top. It replaces the
    // sheet of an earlier link, unless that one is installing; a sheet the user opened stays, and the
    // link is dropped. Answers whether it opened.
    bool openLinkedApp(const QString& slug);
    // The categories and the catalogue again, for the category and search shown.
    void reload() override;
    // Puts the cursor in the search field with its text selected (Find in Store).
    void focusSearch();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeSearchRow();
    void rebuildPills();
    void updatePills();
    void updateContent();
    void selectCategory(std::optional<QString> slug);
    void clearSearch();
    StoreAppDetailSheet* openSheet(const QString& slug);

    QCoro::Task<> appear();
    QCoro::Task<> loadApps();

    PageContext context_;
    QList<StoreCategory> categories_;
    std::optional<QString> selectedCategory_;
    bool isLoading_ = false;
    std::optional<QString> error_;
    // The latest request of each kind: an answer to an earlier one is dropped.
    quint64 categoriesSeq_ = 0;
    quint64 loadSeq_ = 0;

    QLineEdit* search_;
    QPushButton* clear_;
    QScrollArea* strip_;
    QHBoxLayout* pills_;
    QList<QPair<CategoryPill*, std::optional<QString>>> pillSlugs_;
    QStackedWidget* content_;
    ui::EmptyStateView* unavailable_;
    StoreAppListModel* model_;
    QListView* grid_;
    QPointer<StoreAppDetailSheet> sheet_;
    Content shown_ = Content::Loading;
};

} // namespace zandrel
