#include "hub_api/PermissionSet.h"

namespace zandrel {

namespace {
std::optional<bool> boolMember(const QJsonObject& object, QLatin1StringView name)
{
    const QJsonValue value = object.value(name);
    return value.isBool() ? std::optional<bool>(value.toBool()) : std::nullopt;
}
} // namespace

PermissionMap parsePermissions(const QByteArray& body)
{
    const QJsonValue top = wire::parseJson(body);
    QJsonObject apps = top.isObject() ? top.toObject() : QJsonObject();
    if (!apps.isEmpty() && apps.value(QLatin1StringView("apps")).isObject())
        apps = apps.value(QLatin1StringView("apps")).toObject();

    PermissionMap result;
    for (auto it = apps.begin(); it != apps.end(); ++it) {
        if (!it.value().isObject())
            continue;
        const QJsonObject app = it.value().toObject();
        PermissionSet set;
        set.read = boolMember(app, QLatin1StringView("read"));
        set.write = boolMember(app, QLatin1StringView("write"));
        set.actions = boolMember(app, QLatin1StringView("actions"));
        if (!set.actions)
            set.actions = boolMember(app, QLatin1StringView("execute"));
        result.insert(it.key(), set);
    }
    return result;
}

} // namespace zandrel
