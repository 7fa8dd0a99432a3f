#pragma once

#include <QString>
#include <optional>

namespace zandrel {

// What the sidebar selects: one installed app (by lower-case name) or one of the fixed sections.
struct SidebarItem {
    enum class Kind { App, MyApps, Store, Updates, Account, Settings };

    Kind kind = Kind::MyApps;
    QString appName; // App only, lower-case

    static SidebarItem app(const QString& name) { return {Kind::App, name.toLower()}; }
    static SidebarItem section(Kind kind) { return {kind, {}}; }

    bool operator==(const SidebarItem&) const = default;

    // The text a selection is kept as ("my-apps", "app:orvane"; none is My Apps) and back; unknown
    // text gives nothing.
    static QString key(const std::optional<SidebarItem>& selection);
    static std::optional<SidebarItem> fromKey(const QString& key);
};

} // namespace zandrel
