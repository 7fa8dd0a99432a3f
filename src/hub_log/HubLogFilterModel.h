#pragma once

#include <QSortFilterProxyModel>

namespace zandrel {

class HubLogModel;

// The log lines the window's filter row lets through: a text anywhere in the line, ignoring case,
// and all lines, only errors (4xx and 5xx), or only slow answers. Dividers show only when nothing
// narrows the view.
class HubLogFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    enum class Show { All, Errors, Slow };
    Q_ENUM(Show)

    explicit HubLogFilterModel(HubLogModel& lines, QObject* parent = nullptr);

    void setSearchText(const QString& text);
    QString searchText() const { return search_; }
    void setShow(Show show);
    Show show() const { return show_; }

    // Lines shown and lines held (dividers not counted), and the two as "120 of 20,000 lines".
    int shownLineCount() const;
    QString countText() const;
    static QString countText(int shown, int total);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    HubLogModel& lines_;
    QString search_;
    Show show_ = Show::All;
};

} // namespace zandrel
