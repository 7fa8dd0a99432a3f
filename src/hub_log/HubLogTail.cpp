#include "hub_log/HubLogTail.h"

#include "hub_log/HubLogLine.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

namespace zandrel {

namespace {

constexpr qint64 chunk = 64 * 1024;

// Where the run of at most `maxLines` whole lines that ends at `end` starts, not before `floor`.
qsizetype startOfLastLines(const QByteArray& bytes, qsizetype floor, qsizetype end, int maxLines)
{
    qsizetype from = end;
    for (int lines = 0; from > floor && lines < maxLines; ++lines) {
        // The newline that ends the line before this one; the one at from - 1 ends this one.
        const qsizetype previous = from >= 2 ? bytes.lastIndexOf('\n', from - 2) : -1;
        from = previous < floor ? floor : previous + 1;
    }
    return from;
}

// Where the first whole line of bytes read from `start` begins: at once at the file's start, else
// after the first newline.
qsizetype firstWholeLine(const QByteArray& bytes, qint64 start)
{
    if (start == 0)
        return 0;
    const qsizetype newline = bytes.indexOf('\n');
    return newline < 0 ? bytes.size() : newline + 1;
}

} // namespace

HubLogTail::HubLogTail(const Platform& platform, int maxLines, QObject* parent)
    : QObject(parent)
    , platform_(platform)
    , path_(platform.hubLogPath())
    , maxLines_(maxLines)
{
    poll_.setInterval(1000);
    connect(&poll_, &QTimer::timeout, this, &HubLogTail::check);
    // A busy Hub writes many times a second: one look per burst.
    soon_.setSingleShot(true);
    soon_.setInterval(50);
    connect(&soon_, &QTimer::timeout, this, &HubLogTail::check);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &HubLogTail::scheduleCheck);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &HubLogTail::scheduleCheck);
}

void HubLogTail::open()
{
    if (state_ != State::Closed)
        return;
    started_ = false;
    offset_ = 0;
    pending_.clear();
    skippingLongLine_ = false;
    identity_.clear();
    setState(State::Missing);
    check();
    poll_.start();
}

void HubLogTail::close()
{
    poll_.stop();
    soon_.stop();
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    setState(State::Closed);
}

void HubLogTail::scheduleCheck()
{
    if (state_ != State::Closed && !soon_.isActive())
        soon_.start();
}

void HubLogTail::watch()
{
    // The folder too: a watcher loses a file that is replaced, and sees no file that is not there yet.
    const QString folder = QFileInfo(path_).absolutePath();
    if (!watcher_.directories().contains(folder) && QFileInfo::exists(folder))
        watcher_.addPath(folder);
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
}

void HubLogTail::check()
{
    if (state_ == State::Closed)
        return;
    watch();
    QFile file(path_);
    if (!file.exists()) {
        // Kept: the identity, so a file that comes back under the name counts as a new one.
        setState(State::Missing);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setState(State::Unreadable, file.errorString());
        return;
    }
    const QByteArray identity = platform_.fileIdentity(path_);
    const qint64 size = file.size();
    if (!started_) {
        started_ = true;
        identity_ = identity;
        readLast(file, size);
    } else if (identity != identity_ || size < offset_) {
        identity_ = identity;
        pending_.clear();
        skippingLongLine_ = false;
        Q_EMIT restarted();
        readLast(file, size);
    } else if (size > offset_) {
        readOn(file, size);
    }
    setState(State::Reading);
}

void HubLogTail::readLast(QFile& file, qint64 size)
{
    // Backwards in chunks until enough lines are in, as `tail` does: a huge file costs no more.
    qint64 start = size;
    QList<QByteArray> parts; // newest first
    qsizetype newlines = 0;
    while (start > 0 && size - start < window && newlines <= maxLines_) {
        const qint64 from = std::max<qint64>(std::max<qint64>(0, start - chunk), size - window);
        if (!file.seek(from))
            break;
        const QByteArray part = file.read(start - from);
        if (part.size() != start - from)
            break;
        newlines += part.count('\n');
        parts.append(part);
        start = from;
    }
    QByteArray tail;
    tail.reserve(size - start);
    for (auto part = parts.crbegin(); part != parts.crend(); ++part)
        tail += *part;
    const qsizetype first = firstWholeLine(tail, start);
    const qsizetype lastNewline = tail.lastIndexOf('\n');
    const qsizetype wholeEnd = lastNewline < first ? first : lastNewline + 1;
    const qsizetype from = startOfLastLines(tail, first, wholeEnd, maxLines_);
    offset_ = size;
    pending_ = tail.sliced(wholeEnd);
    skippingLongLine_ = false;
    if (pending_.size() > hub_log::maxLineBytes) {
        pending_.truncate(hub_log::maxLineBytes);
        skippingLongLine_ = true;
        emitWhole(std::exchange(pending_, {}) + '\n');
    }
    setEarliest(start + from);
    if (wholeEnd > from)
        Q_EMIT linesRead(tail.sliced(from, wholeEnd - from));
}

void HubLogTail::readOn(QFile& file, qint64 size)
{
    if (size - offset_ > window) {
        // More came at once than would be kept: only the latest of it.
        offset_ = size - window;
        pending_.clear();
        skippingLongLine_ = true;
    }
    if (!file.seek(offset_))
        return;
    const QByteArray grown = file.read(size - offset_);
    offset_ += grown.size();
    emitWhole(grown);
}

void HubLogTail::emitWhole(QByteArray bytes)
{
    if (skippingLongLine_) {
        const qsizetype newline = bytes.indexOf('\n');
        if (newline < 0)
            return;
        bytes.remove(0, newline + 1);
        skippingLongLine_ = false;
    }
    const qsizetype lastNewline = bytes.lastIndexOf('\n');
    if (lastNewline < 0) {
        pending_ += bytes;
    } else {
        QByteArray whole = pending_ + bytes.first(lastNewline + 1);
        pending_ = bytes.sliced(lastNewline + 1);
        Q_EMIT linesRead(whole);
    }
    // A line that never ends is cut, and the rest of it skipped.
    if (pending_.size() > hub_log::maxLineBytes) {
        pending_.truncate(hub_log::maxLineBytes);
        pending_ += '\n';
        skippingLongLine_ = true;
        Q_EMIT linesRead(std::exchange(pending_, {}));
    }
}

void HubLogTail::loadEarlier(int maxLines)
{
    if (earliest_ <= 0 || maxLines <= 0 || state_ != State::Reading)
        return;
    QFile file(path_);
    if (platform_.fileIdentity(path_) != identity_ || !file.open(QIODevice::ReadOnly))
        return;
    const qint64 start = std::max<qint64>(0, earliest_ - window);
    if (!file.seek(start))
        return;
    const QByteArray part = file.read(earliest_ - start);
    if (part.size() != earliest_ - start)
        return;
    const qsizetype from = startOfLastLines(part, firstWholeLine(part, start), part.size(), maxLines);
    setEarliest(start + from);
    if (part.size() > from)
        Q_EMIT earlierLinesRead(part.sliced(from));
}

void HubLogTail::forgetEarlier()
{
    setEarliest(0);
}

void HubLogTail::setEarliest(qint64 earliest)
{
    const bool had = hasEarlier();
    earliest_ = earliest;
    if (had != hasEarlier())
        Q_EMIT hasEarlierChanged();
}

void HubLogTail::setState(State state, const QString& problem)
{
    if (state == state_ && problem == problem_)
        return;
    state_ = state;
    problem_ = problem;
    Q_EMIT stateChanged();
}

} // namespace zandrel
