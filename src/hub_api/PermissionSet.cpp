#include "hub_api/PermissionSet.h"

namespace zandrel {

namespace {
std::optional<bool> boolMember(const wire::JsonElement& object, std::string_view name)
{
    const std::optional<wire::JsonElement> value = object.member(name);
    return value && value->isBool() ? std::optional<bool>(value->toBool()) : std::nullopt;
}
} // namespace

PermissionMap parsePermissions(const QByteArray& body)
{
    const wire::JsonDocument document(body);
    wire::JsonElement apps = document.root();
    if (!apps.isObject())
        return {};
    if (const auto wrapped = apps.member("apps"); wrapped && wrapped->isObject())
        apps = *wrapped;

    // Of a repeated app only the last counts, even when it is not an object.
    QMap<QString, wire::JsonElement> members;
    apps.forEachMember([&](std::string_view key, const wire::JsonElement& app) {
        members.insert(wire::JsonElement::toQString(key), app);
    });
    PermissionMap result;
    for (auto it = members.cbegin(); it != members.cend(); ++it) {
        const wire::JsonElement& app = it.value();
        if (!app.isObject())
            continue;
        PermissionSet set;
        set.read = boolMember(app, "read");
        set.write = boolMember(app, "write");
        set.actions = boolMember(app, "actions");
        if (!set.actions)
            set.actions = boolMember(app, "execute");
        result.insert(it.key(), set);
    }
    return result;
}

} // namespace zandrel
