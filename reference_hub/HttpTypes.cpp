#include "HttpTypes.h"

namespace zandrel::hub {

std::optional<QString> Request::queryValue(const QString& name) const
{
    if (!query.hasQueryItem(name))
        return std::nullopt;
    return query.queryItemValue(name, QUrl::FullyDecoded);
}

int Request::queryNumber(const QString& name, int fallback, int min, int max) const
{
    const auto text = queryValue(name);
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < min || value > max)
        throw HttpError(400,
                        QStringLiteral("%1 must be a whole number from %2 to %3, not \"%4\"")
                            .arg(name)
                            .arg(min)
                            .arg(max)
                            .arg(*text));
    return value;
}

QList<QByteArray> Request::headerValues(QByteArrayView name) const
{
    QList<QByteArray> values;
    for (const auto& [key, value] : headers) {
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            values.append(value);
    }
    return values;
}

Response Response::json(const QJsonValue& value, int status)
{
    return Response{status, wire::serialize(value), "application/json", {}};
}

Response Response::error(int status, const QString& message)
{
    return json(QJsonObject{{QStringLiteral("error"), message}}, status);
}

Response Response::html(const QString& content, int status)
{
    const QString page =
        QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Zandrel sign-in"
                       "</title></head><body style=\"font-family:sans-serif;max-width:36em;margin:3em "
                       "auto\">%1</body></html>")
            .arg(content);
    return Response{status, page.toUtf8(), "text/html; charset=utf-8", {}};
}

} // namespace zandrel::hub
