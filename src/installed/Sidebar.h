#pragma once

#include "installed/InstalledApp.h"
#include "installed/SidebarItem.h"

#include <QListWidget>
#include <optional>

namespace zandrel {

// The window's sidebar: "My Apps" with the installed companion apps (or a note that there are none),
// "Store" with Browse, Updates and Account, and Settings on its own.
class Sidebar : public QListWidget {
    Q_OBJECT

public:
    enum class RowType { Header, Note, Item, Gap };
    enum Role {
        RowTypeRole = Qt::UserRole + 1,
        KindRole,        // SidebarItem::Kind of an item row
        AppNameRole,     // lower-case app name of an app row
        SymbolRole,      // symbol name of an item row
        OpensMyAppsRole, // true on the "My Apps" header, which shows the grid when clicked
        BadgeRole,       // a count shown in a capsule at the row's end (Updates); none at 0
    };

    explicit Sidebar(QWidget* parent = nullptr);

    void setInstalledApps(const QList<InstalledApp>& apps);
    // The number of available updates, on the Updates row.
    void setUpdateCount(int count);
    int updateCount() const { return updateCount_; }
    // Highlights the row of this item, or none (My Apps has no row; an app may have none).
    void setSelection(const std::optional<SidebarItem>& selection);

    // The item a row selects; nothing for headers, notes and gaps.
    std::optional<SidebarItem> itemAt(int row) const;
    int rowOf(const SidebarItem& item) const;

Q_SIGNALS:
    // The user picked a row.
    void itemChosen(const SidebarItem& item);
    // The user clicked the "My Apps" header.
    void myAppsChosen();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QListWidgetItem* addHeader(const QString& title);
    void addNote(const QString& text);
    void addGap();
    void addItem(const QString& title, const QString& symbol, const SidebarItem& item);
    void rebuild();
    void showUpdateCount();
    void onSelectionChanged();

    QList<InstalledApp> apps_;
    std::optional<SidebarItem> selection_;
    int updateCount_ = 0;
};

} // namespace zandrel
