#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// The permissions of one app; an absent member means the permission is not set.
struct PermissionSet {
    std::optional<bool> read;
    std::optional<bool> write;
    std::optional<bool> actions;

    bool operator==(const PermissionSet&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("read", &PermissionSet::read),
                          field("write", &PermissionSet::write),
                          field("actions", &PermissionSet::actions)};
    }
};

using PermissionMap = QMap<QString, PermissionSet>;

// Reads the Hub's permissions answer leniently: the apps may come wrapped in "apps" or at the top level,
// the third permission may be called "actions" or "execute", and members of other types are skipped.
// Throws DecodeError only when the body is not JSON.
PermissionMap parsePermissions(const QByteArray& body);

} // namespace zandrel
