#include "hub_log/HubLogFilterModel.h"

#include "hub_log/HubLogLine.h"
#include "hub_log/HubLogModel.h"

#include <QLocale>

namespace zandrel {

HubLogFilterModel::HubLogFilterModel(HubLogModel& lines, QObject* parent)
    : QSortFilterProxyModel(parent)
    , lines_(lines)
{
    setSourceModel(&lines);
}

void HubLogFilterModel::setSearchText(const QString& text)
{
    if (text == search_)
        return;
    search_ = text;
    invalidateRowsFilter();
}

void HubLogFilterModel::setShow(Show show)
{
    if (show == show_)
        return;
    show_ = show;
    invalidateRowsFilter();
}

bool HubLogFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (lines_.isRestart(sourceRow))
        return show_ == Show::All && search_.isEmpty();
    if (show_ != Show::All) {
        const std::optional<HubLogRequest> request = lines_.request(sourceRow);
        if (!request)
            return false;
        if (show_ == Show::Errors && request->status < 400)
            return false;
        if (show_ == Show::Slow && request->milliseconds < hub_log::slowMilliseconds)
            return false;
    }
    return search_.isEmpty() || lines_.contains(sourceRow, search_);
}

int HubLogFilterModel::shownLineCount() const
{
    int dividers = 0;
    if (show_ == Show::All && search_.isEmpty()) {
        dividers = lines_.rowCount() - lines_.lineCount();
    }
    return rowCount() - dividers;
}

QString HubLogFilterModel::countText() const
{
    return countText(shownLineCount(), lines_.lineCount());
}

QString HubLogFilterModel::countText(int shown, int total)
{
    return tr("%1 of %Ln line(s)", nullptr, total).arg(QLocale().toString(shown));
}

} // namespace zandrel
