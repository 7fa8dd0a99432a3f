#include "installed/SidebarItem.h"

#include <utility>

namespace zandrel {

namespace {

using Kind = SidebarItem::Kind;

const std::pair<Kind, const char*> kSectionKeys[] = {
    {Kind::MyApps, "my-apps"},
    {Kind::Store, "browse"},
    {Kind::Updates, "updates"},
    {Kind::Account, "account"},
    {Kind::Settings, "settings"},
};

const QString kAppPrefix = QStringLiteral("app:");

} // namespace

QString SidebarItem::key(const std::optional<SidebarItem>& selection)
{
    const SidebarItem item = selection.value_or(section(Kind::MyApps));
    if (item.kind == Kind::App)
        return kAppPrefix + item.appName;
    for (const auto& [kind, text] : kSectionKeys) {
        if (kind == item.kind)
            return QString::fromLatin1(text);
    }
    return QString::fromLatin1(kSectionKeys[0].second);
}

std::optional<SidebarItem> SidebarItem::fromKey(const QString& key)
{
    if (key.startsWith(kAppPrefix)) {
        const QString name = key.mid(kAppPrefix.size());
        if (name.isEmpty())
            return std::nullopt;
        return SidebarItem::app(name);
    }
    for (const auto& [kind, text] : kSectionKeys) {
        if (key == QLatin1String(text))
            return SidebarItem::section(kind);
    }
    return std::nullopt;
}

} // namespace zandrel
