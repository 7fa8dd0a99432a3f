#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// One stored session of an app; identified by `id`. Timestamps stay the Hub's strings.
struct SessionEntry {
    QString id;
    std::optional<QString> title;
    std::optional<QString> created;
    std::optional<QString> updated;
    std::optional<qint64> messageCount;
    std::optional<QString> preview;

    bool operator==(const SessionEntry&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &SessionEntry::id),
                          field("title", &SessionEntry::title),
                          field("created", &SessionEntry::created),
                          field("updated", &SessionEntry::updated),
                          field("messageCount", &SessionEntry::messageCount),
                          field("preview", &SessionEntry::preview)};
    }
};

} // namespace zandrel
