#include "hub_log/HubLogModel.h"

namespace zandrel {

HubLogModel::HubLogModel(QObject* parent, int capacity)
    : QAbstractListModel(parent)
    , capacity_(std::max(1, capacity))
{}

int HubLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

std::deque<HubLogModel::Row> HubLogModel::split(const QByteArray& block)
{
    std::deque<Row> rows;
    const char* data = block.constData();
    const qsizetype size = block.size();
    qsizetype start = 0;
    while (start < size) {
        const auto* newline = static_cast<const char*>(std::memchr(data + start, '\n', size_t(size - start)));
        const qsizetype end = newline ? newline - data : size;
        Row row;
        row.block = block;
        row.offset = qint32(start);
        row.length = qint32(std::min<qsizetype>(end - start, hub_log::maxLineBytes));
        if (const auto request = HubLogRequest::parse(QByteArrayView(data + start, row.length))) {
            row.status = request->status;
            row.methodLength = qint16(request->methodLength);
            row.pathStart = request->pathStart;
            row.pathLength = request->pathLength;
            row.milliseconds = request->milliseconds;
        }
        rows.push_back(std::move(row));
        start = end + 1;
    }
    return rows;
}

void HubLogModel::append(const QByteArray& block)
{
    std::deque<Row> incoming = split(block);
    // Lines that would be dropped at once are never inserted.
    while (int(incoming.size()) > capacity_)
        incoming.pop_front();
    if (incoming.empty())
        return;
    dropOldest(int(rows_.size() + incoming.size()) - capacity_);
    const int first = int(rows_.size());
    beginInsertRows({}, first, first + int(incoming.size()) - 1);
    lineCount_ += int(incoming.size());
    for (Row& row : incoming)
        rows_.push_back(std::move(row));
    endInsertRows();
}

void HubLogModel::prepend(const QByteArray& block)
{
    std::deque<Row> incoming = split(block);
    while (int(incoming.size()) > room())
        incoming.pop_front();
    if (incoming.empty())
        return;
    beginInsertRows({}, 0, int(incoming.size()) - 1);
    lineCount_ += int(incoming.size());
    rows_.insert(
        rows_.begin(), std::make_move_iterator(incoming.begin()), std::make_move_iterator(incoming.end()));
    endInsertRows();
}

void HubLogModel::addRestart()
{
    dropOldest(int(rows_.size()) + 1 - capacity_);
    const int row = int(rows_.size());
    beginInsertRows({}, row, row);
    Row divider;
    divider.restart = true;
    rows_.push_back(std::move(divider));
    endInsertRows();
}

void HubLogModel::dropOldest(int count)
{
    count = std::min(count, int(rows_.size()));
    if (count <= 0)
        return;
    beginRemoveRows({}, 0, count - 1);
    for (int i = 0; i < count; ++i) {
        if (!rows_.front().restart)
            --lineCount_;
        rows_.pop_front();
    }
    endRemoveRows();
}

void HubLogModel::clear()
{
    beginResetModel();
    rows_.clear();
    lineCount_ = 0;
    endResetModel();
}

HubLogModel::Kind HubLogModel::kind(int row) const
{
    const Row& r = rows_[size_t(row)];
    return r.restart ? Kind::Restarted : r.status ? Kind::Request : Kind::Text;
}

QByteArrayView HubLogModel::raw(int row) const
{
    const Row& r = rows_[size_t(row)];
    return QByteArrayView(r.block.constData() + r.offset, r.length);
}

bool HubLogModel::contains(int row, const QString& text) const
{
    const QByteArrayView line = raw(row);
    // Plain ASCII needs no decoding; the common case while typing a search.
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        const QByteArray needle = text.toLatin1();
        return QLatin1StringView(line.data(), line.size())
            .contains(QLatin1StringView(needle), Qt::CaseInsensitive);
    }
    return QString::fromUtf8(line).contains(text, Qt::CaseInsensitive);
}

QVariant HubLogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const int row = index.row();
    const Row& r = rows_[size_t(row)];
    switch (role) {
    case Qt::DisplayRole:
        return r.restart ? tr("Log restarted") : hub_log::shownText(raw(row));
    case Qt::AccessibleTextRole: {
        if (r.restart)
            return tr("Log restarted");
        QString text = hub_log::shownText(raw(row));
        if (r.status >= 500)
            text = tr("Server error: %1").arg(text);
        else if (r.status >= 400)
            text = tr("Client error: %1").arg(text);
        if (r.status && r.milliseconds >= hub_log::slowMilliseconds)
            text = tr("Slow: %1").arg(text);
        return text;
    }
    case RawRole:
        return raw(row).toByteArray();
    case KindRole:
        return QVariant::fromValue(kind(row));
    case MethodRole:
        return r.status ? QString::fromUtf8(raw(row).first(r.methodLength)) : QString();
    case PathRole:
        return r.status ? hub_log::shownText(raw(row).sliced(r.pathStart, r.pathLength)) : QString();
    case StatusRole:
        return r.status;
    case MillisecondsRole:
        return r.milliseconds;
    case SlowRole:
        return r.status != 0 && r.milliseconds >= hub_log::slowMilliseconds;
    default:
        return {};
    }
}

} // namespace zandrel
