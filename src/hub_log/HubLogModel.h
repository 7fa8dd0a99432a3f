#pragma once

#include "hub_log/HubLogLine.h"

#include <QAbstractListModel>
#include <deque>
#include <vector>

namespace zandrel {

// The lines of the Hub's log the window holds, oldest first: at most `capacity`, the oldest dropped
// through row removal as new ones come. Lines are kept as the file's bytes (shared with the block they
// were read in) and decoded only when shown, so holding and filtering many is cheap.
class HubLogModel : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int defaultCapacity = 20000;

    enum Role {
        RawRole = Qt::UserRole + 1, // QByteArray: the line as in the file, without its newline
        KindRole,                   // Kind
        MethodRole,
        PathRole,
        StatusRole,       // int; 0 for a line not in the request format
        MillisecondsRole, // qint64
        SlowRole,         // bool
        ShownLengthRole,  // int: the characters the line shows (for a wrapped row's height)
        PathLengthRole,   // int: the same for a request's path
    };
    enum class Kind { Text, Request, Restarted };
    Q_ENUM(Kind)

    explicit HubLogModel(QObject* parent = nullptr, int capacity = defaultCapacity);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Whole lines, each ending in a newline, as read from the file.
    void append(const QByteArray& block);
    // Earlier lines, put above the first; as many as there is room for, the latest of them.
    void prepend(const QByteArray& block);
    // The file started again: a divider row "Log restarted".
    void addRestart();
    void clear();

    int capacity() const { return capacity_; }
    int room() const { return capacity_ - int(rows_.size()); }
    // Rows that are log lines (not dividers).
    int lineCount() const { return lineCount_; }
    // The bytes the rows' blocks hold, for the bound on memory.
    qsizetype heldBytes() const;

    Kind kind(int row) const;
    bool isRestart(int row) const { return rows_[size_t(row)].restart; }
    QByteArrayView raw(int row) const;
    // A request line's fields, read from its bytes each time: rows hold no more than where their
    // bytes are, and only the shown or filtered ones are ever read.
    std::optional<HubLogRequest> request(int row) const;
    // Whether the line holds the text, ignoring case (as decoded, before any cut).
    bool contains(int row, const QString& text) const;

Q_SIGNALS:
    // Around the removal of the oldest rows to make room (before its rowsAboutToBeRemoved, after its
    // rowsRemoved), for views that must tell it from the user's doing.
    void aboutToDropOldest();
    void droppedOldest();

private:
    // The bytes lines were read in, with the number of rows still in them. A row names its block by
    // a serial number rather than holding a copy of it: a row is then a few integers, and adding
    // 20,000 of them touches no reference count.
    struct Block {
        QByteArray bytes;
        int rows = 0;
    };
    struct Row {
        quint32 block = 0; // serial number, see blockOf()
        qint32 offset = 0;
        qint32 length = 0;
        bool restart = false;
    };
    Block& blockOf(quint32 serial) { return blocks_[size_t(serial - firstBlock_)]; }
    const Block& blockOf(quint32 serial) const { return blocks_[size_t(serial - firstBlock_)]; }
    // Hands `add` the rows of the lines in `bytes` from `start`, each naming a block: `bytes` itself,
    // or a copy of its own for a long line. New blocks go to the back, or to the front.
    template <typename Add>
    void parseLines(const QByteArray& bytes, qsizetype start, bool atFront, Add add);
    quint32 addBlock(QByteArray bytes, bool atFront);
    void dropOldest(int count);

    std::deque<Row> rows_;
    // Serial numbers run on in order: blocks_[0] is firstBlock_, at the back is firstBlock_ + size - 1.
    std::deque<Block> blocks_;
    quint32 firstBlock_ = 0;
    int capacity_;
    int lineCount_ = 0;
};

} // namespace zandrel
