#include "hub_log/HubLogModel.h"

#include <cstring>
#include <vector>

namespace zandrel {

HubLogModel::HubLogModel(QObject* parent, int capacity)
    : QAbstractListModel(parent)
    , capacity_(std::max(1, capacity))
{}

int HubLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

namespace {

// The lines in a block: its newlines, and an unended last line.
qsizetype lineCountOf(const QByteArray& block)
{
    const char* data = block.constData();
    const char* end = data + block.size();
    qsizetype count = 0;
    const char* p = data;
    while (p < end) {
        const auto* newline = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        ++count;
        p = newline ? newline + 1 : end;
    }
    return count;
}

// Where a block's line number `skip` starts.
qsizetype offsetOfLine(const QByteArray& block, qsizetype skip)
{
    const char* data = block.constData();
    qsizetype at = 0;
    while (skip-- > 0)
        at = static_cast<const char*>(std::memchr(data + at, '\n', size_t(block.size() - at))) - data + 1;
    return at;
}

} // namespace

quint32 HubLogModel::addBlock(QByteArray bytes, bool atFront)
{
    if (atFront) {
        blocks_.push_front({std::move(bytes), 0});
        return --firstBlock_;
    }
    blocks_.push_back({std::move(bytes), 0});
    return firstBlock_ + quint32(blocks_.size() - 1);
}

template <typename Add>
void HubLogModel::parseLines(const QByteArray& bytes, qsizetype start, bool atFront, Add add)
{
    const quint32 shared = addBlock(bytes, atFront);
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    std::vector<Row> rows;
    qsizetype sharedBytes = 0;
    while (start < size) {
        const auto* newline = static_cast<const char*>(std::memchr(data + start, '\n', size_t(size - start)));
        const qsizetype end = newline ? newline - data : size;
        Row row;
        row.length = qint32(std::min<qsizetype>(end - start, hub_log::maxLineBytes));
        if (row.length > 1024) {
            // A long line keeps its own bytes, so that it alone never holds a whole block.
            row.block = addBlock(QByteArray(data + start, row.length), atFront);
        } else {
            row.block = shared;
            row.offset = qint32(start);
            sharedBytes += row.length + 1;
        }
        rows.push_back(row);
        start = end + 1;
    }
    // The short lines are a small part of the block (long lines, or lines past the capacity, took the
    // rest): they get a compact copy, so that one short line never holds megabytes.
    if (sharedBytes > 0 && sharedBytes * 2 < size) {
        QByteArray compact;
        compact.reserve(sharedBytes);
        for (Row& row : rows) {
            if (row.block != shared)
                continue;
            const auto at = qint32(compact.size());
            compact.append(data + row.offset, row.length).append('\n');
            row.offset = at;
        }
        blockOf(shared).bytes = std::move(compact);
    }
    for (const Row& row : rows) {
        ++blockOf(row.block).rows;
        add(row);
    }
    // Every line long: nothing is left in the block itself.
    if (blockOf(shared).rows == 0)
        blockOf(shared).bytes = {};
}

qsizetype HubLogModel::heldBytes() const
{
    qsizetype held = 0;
    for (const Block& block : blocks_)
        held += block.bytes.size();
    return held;
}

void HubLogModel::append(const QByteArray& block)
{
    const qsizetype lines = lineCountOf(block);
    // Lines that would be dropped at once are never inserted.
    const int count = int(std::min<qsizetype>(lines, capacity_));
    if (count == 0)
        return;
    dropOldest(int(rows_.size()) + count - capacity_);
    const int first = int(rows_.size());
    beginInsertRows({}, first, first + count - 1);
    lineCount_ += count;
    parseLines(
        block, offsetOfLine(block, lines - count), false, [this](const Row& row) { rows_.push_back(row); });
    endInsertRows();
}

void HubLogModel::prepend(const QByteArray& block)
{
    const qsizetype lines = lineCountOf(block);
    const int count = int(std::min<qsizetype>(lines, room()));
    if (count <= 0)
        return;
    std::vector<Row> incoming;
    incoming.reserve(size_t(count));
    parseLines(
        block, offsetOfLine(block, lines - count), true, [&](const Row& row) { incoming.push_back(row); });
    beginInsertRows({}, 0, count - 1);
    lineCount_ += count;
    rows_.insert(rows_.begin(), incoming.begin(), incoming.end());
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
    Q_EMIT aboutToDropOldest();
    beginRemoveRows({}, 0, count - 1);
    for (int i = 0; i < count; ++i) {
        const Row& row = rows_.front();
        if (!row.restart) {
            --lineCount_;
            Block& block = blockOf(row.block);
            if (--block.rows == 0)
                block.bytes = {}; // given back now, though its place may wait for those before it
        }
        rows_.pop_front();
    }
    while (!blocks_.empty() && blocks_.front().rows == 0) {
        blocks_.pop_front();
        ++firstBlock_;
    }
    endRemoveRows();
    Q_EMIT droppedOldest();
}

void HubLogModel::clear()
{
    beginResetModel();
    rows_.clear();
    blocks_.clear();
    lineCount_ = 0;
    endResetModel();
}

HubLogModel::Kind HubLogModel::kind(int row) const
{
    return rows_[size_t(row)].restart ? Kind::Restarted : request(row) ? Kind::Request : Kind::Text;
}

std::optional<HubLogRequest> HubLogModel::request(int row) const
{
    if (rows_[size_t(row)].restart)
        return std::nullopt;
    return HubLogRequest::parse(raw(row));
}

QByteArrayView HubLogModel::raw(int row) const
{
    const Row& r = rows_[size_t(row)];
    if (r.restart)
        return {};
    return QByteArrayView(blockOf(r.block).bytes.constData() + r.offset, r.length);
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
    case RawRole:
        return raw(row).toByteArray();
    case ShownLengthRole:
        return hub_log::shownLength(raw(row));
    case Qt::AccessibleTextRole:
    case KindRole:
    case MethodRole:
    case PathRole:
    case StatusRole:
    case MillisecondsRole:
    case SlowRole:
    case PathLengthRole:
        break; // these read the request's fields, below
    default:
        return {};
    }
    const std::optional<HubLogRequest> request = this->request(row);
    const int status = request ? request->status : 0;
    const bool slow = request && request->milliseconds >= hub_log::slowMilliseconds;
    switch (role) {
    case Qt::AccessibleTextRole: {
        if (r.restart)
            return tr("Log restarted");
        QString text = hub_log::shownText(raw(row));
        if (status >= 500)
            text = tr("Server error: %1").arg(text);
        else if (status >= 400)
            text = tr("Client error: %1").arg(text);
        if (slow)
            text = tr("Slow: %1").arg(text);
        return text;
    }
    case KindRole:
        return QVariant::fromValue(r.restart ? Kind::Restarted : request ? Kind::Request : Kind::Text);
    case MethodRole:
        return request ? QString::fromUtf8(raw(row).first(request->methodLength)) : QString();
    case PathRole:
        return request ? hub_log::shownText(raw(row).sliced(request->pathStart, request->pathLength))
                       : QString();
    case StatusRole:
        return status;
    case MillisecondsRole:
        return request ? request->milliseconds : qint64(0);
    case SlowRole:
        return slow;
    case PathLengthRole:
        return request ? hub_log::shownLength(raw(row).sliced(request->pathStart, request->pathLength)) : 0;
    default:
        return {};
    }
}

} // namespace zandrel
