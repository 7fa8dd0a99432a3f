#pragma once

#include "HubData.h"

#include <stdexcept>

namespace zandrel::hub {

// A change could not be written to disk; the Hub answers 500 and keeps its previous state.
class StateSaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The Hub's state and its one JSON file. Every change is applied to a copy, written atomically
// (QSaveFile: a crash mid-write leaves the old file whole) and only then becomes current, so what
// the Hub answers is always what is on disk.
class HubStore {
public:
    explicit HubStore(QString stateFile);

    enum class Loaded {
        FromFile,   // the file was read
        Missing,    // no file yet: a first start
        MovedAside, // the file was unreadable; it was renamed and the Hub starts as on a first start
    };
    // Reads the state file. A file that is not valid JSON, or does not match the state's records, is
    // renamed to "<file>.corrupt-<time>"; `warning` then says what happened and where it went.
    Loaded load(QString* warning);

    const HubData& data() const { return data_; }
    const QString& fileName() const { return file_; }

    // Applies `change` to a copy of the state and saves it. Throws StateSaveError when the file
    // cannot be written; the current state is then unchanged. Whatever `change` throws passes
    // through, also leaving the state unchanged. Answers what `change` answers.
    template <class Change>
    auto update(Change&& change)
    {
        HubData next = data_;
        if constexpr (std::is_void_v<decltype(change(next))>) {
            change(next);
            commit(std::move(next));
        } else {
            auto result = change(next);
            commit(std::move(next));
            return result;
        }
    }

    // Replaces the whole state (first start) and saves it.
    void reset(HubData data) { commit(std::move(data)); }

private:
    void commit(HubData next);

    QString file_;
    HubData data_;
};

} // namespace zandrel::hub
