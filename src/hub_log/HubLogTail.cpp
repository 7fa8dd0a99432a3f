#include "hub_log/HubLogTail.h"

#include "hub_log/HubLogLine.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cstring>

namespace zandrel {

namespace {

constexpr qint64 chunk = 64 * 1024;
// The most one look reads of what the file gained.
constexpr qint64 stepBytes = 256 * 1024;
// The last bytes read, compared with the file's at each look: a file cut and written again past
// where it was read to does not pass for one that grew.
constexpr qsizetype witnessBytes = 64;

qsizetype countNewlines(const char* data, qsizetype size)
{
    qsizetype count = 0;
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', size_t(data + size - p))));
         ++p)
        ++count;
    return count;
}

// Where the run of at most `maxLines` whole lines that ends at `end` (just after a newline) starts,
// not before `floor`: forwards with memchr, which is far quicker than a byte-wise walk back.
qsizetype startOfLastLines(const QByteArray& bytes, qsizetype floor, qsizetype end, int maxLines)
{
    const char* data = bytes.constData();
    qsizetype skip = countNewlines(data + floor, end - floor) - maxLines;
    qsizetype from = floor;
    while (skip-- > 0)
        from = static_cast<const char*>(std::memchr(data + from, '\n', size_t(end - from))) - data + 1;
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
    if (open_)
        return;
    started_ = false;
    offset_ = 0;
    pending_.clear();
    skippingLongLine_ = false;
    identity_.clear();
    open_ = true;
    check(); // which says what the file is: there, missing or unreadable
    poll_.start();
}

void HubLogTail::close()
{
    open_ = false;
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
    if (open_ && !soon_.isActive())
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
    if (!open_)
        return;
    watch();
    QFile file(path_);
    if (!file.exists()) {
        // A file that comes back under the name is a new one, even with the old one's inode.
        lost_ = started_;
        setState(State::Missing);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setState(State::Unreadable, file.errorString());
        return;
    }
    const QByteArray identity = platform_.fileIdentity(file);
    if (identity.isEmpty() && started_)
        return; // cannot tell which file this is: the next look will
    const qint64 size = file.size();
    if (!started_) {
        started_ = true;
        identity_ = identity;
        readLast(file, size);
    } else if (lost_ || identity != identity_ || size < offset_ || !sameWitness(file)) {
        // Replaced, cut short, or cut and written again past where we were.
        lost_ = false;
        identity_ = identity;
        pending_.clear();
        skippingLongLine_ = false;
        Q_EMIT restarted();
        readLast(file, size);
        // Earlier lines of the new file would land above the old file's.
        setEarliest(0);
    } else if (size > offset_) {
        readOn(file, size);
    }
    setState(State::Reading);
}

bool HubLogTail::sameWitness(QFile& file) const
{
    if (witness_.isEmpty())
        return true;
    return file.seek(offset_ - witness_.size()) && file.read(witness_.size()) == witness_;
}

void HubLogTail::remember(const QByteArray& bytesBeforeOffset)
{
    witness_ = (witness_ + bytesBeforeOffset).right(witnessBytes);
}

void HubLogTail::readLast(QFile& file, qint64 size)
{
    // Backwards in chunks until enough lines are in, as `tail` does: a huge file costs no more. Each
    // chunk goes straight to its place in one buffer. The buffer is as large as the window, but the
    // pages never read into are never touched and take no memory; the rows read share it.
    const qint64 base = std::max<qint64>(0, size - window);
    QByteArray tail(size - base, Qt::Uninitialized);
    qint64 start = size;
    qsizetype newlines = 0;
    while (start > base && newlines <= maxLines_) {
        const qint64 from = std::max(base, start - chunk);
        if (!file.seek(from) || file.read(tail.data() + (from - base), start - from) != start - from)
            break;
        newlines += countNewlines(tail.constData() + (from - base), start - from);
        start = from;
    }
    // Dropping the front of an unshared array moves its start and copies nothing.
    tail.remove(0, start - base);
    offset_ = start + tail.size();
    witness_.clear();
    remember(tail);
    skippingLongLine_ = false;
    const qsizetype first = firstWholeLine(tail, start);
    if (first == tail.size() && start > 0) {
        // No newline in the window but perhaps its last byte: the end of a line too long to keep.
        // Shown cut; only a line not yet ended has a rest to skip.
        setEarliest(0);
        const bool ended = tail.endsWith('\n');
        pending_ = ended ? tail.chopped(1) : tail;
        cutEndlessLine();
        skippingLongLine_ = !ended;
        return;
    }
    const qsizetype lastNewline = tail.lastIndexOf('\n');
    const qsizetype wholeEnd = lastNewline < first ? first : lastNewline + 1;
    const qsizetype from = startOfLastLines(tail, first, wholeEnd, maxLines_);
    pending_ = tail.sliced(wholeEnd);
    setEarliest(start + from);
    if (wholeEnd > from) {
        tail.truncate(wholeEnd);
        tail.remove(0, from);
        Q_EMIT linesRead(tail);
    }
    cutEndlessLine();
}

void HubLogTail::readOn(QFile& file, qint64 size)
{
    if (size - offset_ > window) {
        // More came at once than would be kept: only the latest of it.
        offset_ = size - window;
        pending_.clear();
        witness_.clear();
        skippingLongLine_ = true;
    }
    // A bounded step at a time, so that one look never holds the window up; the rest comes soon.
    const qint64 step = std::min(size - offset_, stepBytes);
    if (!file.seek(offset_))
        return;
    const QByteArray grown = file.read(step);
    offset_ += grown.size();
    remember(grown);
    emitWhole(grown);
    if (offset_ < size)
        soon_.start();
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
    cutEndlessLine();
}

void HubLogTail::cutEndlessLine()
{
    // A line that never ends is shown cut, and the rest of it skipped up to its newline.
    if (pending_.size() <= hub_log::maxLineBytes)
        return;
    QByteArray cut = pending_.first(hub_log::maxLineBytes);
    cut += '\n';
    pending_.clear();
    skippingLongLine_ = true;
    Q_EMIT linesRead(cut);
}

void HubLogTail::loadEarlier(int maxLines)
{
    if (earliest_ <= 0 || maxLines <= 0 || state_ != State::Reading)
        return;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly) || platform_.fileIdentity(file) != identity_)
        return;
    const qint64 start = std::max<qint64>(0, earliest_ - window);
    if (!file.seek(start))
        return;
    const QByteArray part = file.read(earliest_ - start);
    if (part.size() != earliest_ - start)
        return;
    const qsizetype first = firstWholeLine(part, start);
    if (first == part.size()) {
        setEarliest(0); // one line longer than the window: nothing whole to show before
        return;
    }
    const qsizetype from = startOfLastLines(part, first, part.size(), maxLines);
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
