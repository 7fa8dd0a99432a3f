#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class QFile;

namespace zandrel {

class Platform;

// Follows the Hub's log file while someone looks at it. Opening reads the last lines (at most
// `window` bytes, at most `maxLines` lines); after that every whole line the file gains is handed on
// within a second. A file that shrank or was replaced is read again from the start, after
// `restarted`. An incomplete last line waits for its newline. Nothing runs while it is closed.
class HubLogTail : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 window = 4 * 1024 * 1024;

    enum class State { Closed, Missing, Unreadable, Reading };
    Q_ENUM(State)

    HubLogTail(const Platform& platform, int maxLines, QObject* parent = nullptr);

    QString path() const { return path_; }
    State state() const { return state_; }
    // Why the file cannot be read (the system's words), when it cannot.
    QString problem() const { return problem_; }

    // Reads the last lines and starts following; again after close.
    void open();
    void close();
    // Looks at the file now: what the watcher and the once-a-second look call.
    void check();

    // Whether the file holds lines before the first one read.
    bool hasEarlier() const { return earliest_ > 0; }
    // Reads up to `window` bytes more before the first line read, at most `maxLines` lines.
    void loadEarlier(int maxLines);
    // Forgets what was read before: later lines only (the window's "Clear View").
    void forgetEarlier();

Q_SIGNALS:
    // Whole lines, each ending in a newline, in the order of the file.
    void linesRead(const QByteArray& lines);
    void earlierLinesRead(const QByteArray& lines);
    // The file was replaced or cut short: what follows comes from its start.
    void restarted();
    void stateChanged();
    void hasEarlierChanged();

private:
    void setState(State state, const QString& problem = {});
    void setEarliest(qint64 earliest);
    void readLast(QFile& file, qint64 size);
    void readOn(QFile& file, qint64 size);
    void emitWhole(QByteArray bytes);
    void cutEndlessLine();
    bool sameWitness(QFile& file) const;
    void remember(const QByteArray& bytesBeforeOffset);
    void watch();
    void scheduleCheck();

    const Platform& platform_;
    const QString path_;
    const int maxLines_;
    bool open_ = false;
    State state_ = State::Closed;
    QString problem_;
    QByteArray identity_;
    bool started_ = false;
    qint64 offset_ = 0;   // how far the file has been read
    qint64 earliest_ = 0; // where the first line read starts
    QByteArray pending_;  // an incomplete last line
    bool skippingLongLine_ = false;
    bool lost_ = false;  // the file was gone since the last look
    QByteArray witness_; // the last bytes before offset_
    QFileSystemWatcher watcher_;
    QTimer poll_;
    QTimer soon_;
};

} // namespace zandrel
