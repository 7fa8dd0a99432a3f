#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// The answer to the update check.
struct UpdatesResponse {
    struct UpdateEntry {
        QString version;
        QString url;
        QString hash;
        qint64 size = 0;
        QString notes;
        bool required = false;

        bool operator==(const UpdateEntry&) const = default;
        static constexpr auto jsonFields()
        {
            return std::tuple{field("version", &UpdateEntry::version),
                              field("url", &UpdateEntry::url),
                              field("hash", &UpdateEntry::hash),
                              field("size", &UpdateEntry::size),
                              field("notes", &UpdateEntry::notes),
                              field("required", &UpdateEntry::required)};
        }
    };

    struct HubUpdate {
        QString version;
        QString url;
        QString notes;

        bool operator==(const HubUpdate&) const = default;
        static constexpr auto jsonFields()
        {
            return std::tuple{field("version", &HubUpdate::version),
                              field("url", &HubUpdate::url),
                              field("notes", &HubUpdate::notes)};
        }
    };

    QMap<QString, UpdateEntry> updates; // keyed by the app identifier sent in "installed"
    std::optional<HubUpdate> hub_update;
    QStringList announcements;

    bool operator==(const UpdatesResponse&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("updates", &UpdatesResponse::updates),
                          field("hub_update", &UpdatesResponse::hub_update),
                          field("announcements", &UpdatesResponse::announcements)};
    }
};

// One available update as a flat row; identified by `slug`. Built by the client, never received.
struct UpdateInfo {
    QString slug;
    QString version;
    QString url;
    QString hash;
    qint64 size = 0;
    QString notes;
    bool required = false;
    std::optional<QString> currentVersion;

    bool operator==(const UpdateInfo&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("slug", &UpdateInfo::slug),
                          field("version", &UpdateInfo::version),
                          field("url", &UpdateInfo::url),
                          field("hash", &UpdateInfo::hash),
                          field("size", &UpdateInfo::size),
                          field("notes", &UpdateInfo::notes),
                          field("required", &UpdateInfo::required),
                          field("currentVersion", &UpdateInfo::currentVersion)};
    }

    // One row per entry of the answer's map, in the map's order; currentVersion starts absent.
    static QList<UpdateInfo> rows(const UpdatesResponse& response);
};

inline QList<UpdateInfo> UpdateInfo::rows(const UpdatesResponse& response)
{
    QList<UpdateInfo> rows;
    rows.reserve(response.updates.size());
    for (auto it = response.updates.begin(); it != response.updates.end(); ++it) {
        const auto& e = it.value();
        rows.append(
            UpdateInfo{it.key(), e.version, e.url, e.hash, e.size, e.notes, e.required, std::nullopt});
    }
    return rows;
}

} // namespace zandrel
