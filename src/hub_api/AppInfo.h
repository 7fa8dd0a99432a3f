#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// One file an installed app declares.
struct FileInfo {
    std::optional<QString> path;
    std::optional<QString> format;

    bool operator==(const FileInfo&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("path", &FileInfo::path), field("format", &FileInfo::format)};
    }
};

// One action an installed app declares.
struct ActionInfo {
    QString name;
    std::optional<QString> description;
    std::optional<QString> type;

    bool operator==(const ActionInfo&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("name", &ActionInfo::name),
                          field("description", &ActionInfo::description),
                          field("type", &ActionInfo::type)};
    }
};

// One installed app as the Hub lists it; identified by `id`.
struct AppInfo {
    QString id;
    QString name;
    std::optional<QString> version;
    std::optional<QString> description;
    std::optional<QList<ActionInfo>> actions;
    std::optional<QList<FileInfo>> files;

    bool operator==(const AppInfo&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &AppInfo::id),
                          field("name", &AppInfo::name),
                          field("version", &AppInfo::version),
                          field("description", &AppInfo::description),
                          field("actions", &AppInfo::actions),
                          field("files", &AppInfo::files)};
    }
};

} // namespace zandrel
