#pragma once

#include <QString>

namespace zandrel {

// What the sidebar selects: one installed app (by lower-case name) or one of the fixed sections.
struct SidebarItem {
    enum class Kind { App, MyApps, Store, Updates, Account, Settings };

    Kind kind = Kind::MyApps;
    QString appName; // App only, lower-case

    static SidebarItem app(const QString& name) { return {Kind::App, name.toLower()}; }
    static SidebarItem section(Kind kind) { return {kind, {}}; }

    bool operator==(const SidebarItem&) const = default;
};

} // namespace zandrel
