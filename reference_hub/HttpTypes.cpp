#include "HttpTypes.h"

namespace zandrel::hub {

std::optional<QString> Request::queryValue(const QString& name) const {
    if (!query.hasQueryItem(name))
        return std::nullopt;
    return query.queryItemValue(name, QUrl::FullyDecoded);
}

Response Response::json(const QJsonValue& value, int status) {
    return Response{status, wire::serialize(value), "application/json", {}};
}

Response Response::error(int status, const QString& message) {
    return json(QJsonObject{{QStringLiteral("error"), message}}, status);
}

} // namespace zandrel::hub
