#pragma once

// The Hub's view of one HTTP exchange, independent of the server library: what came in, what goes
// out, and the error a handler throws to answer with a status and a JSON error body.

#include "wire/DecodeError.h"
#include "wire/JsonCodec.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrlQuery>
#include <stdexcept>
#include <utility>

namespace zandrel::hub {

struct Request {
    QByteArray method;    // upper case, e.g. "GET"; "UNKNOWN" for methods the server does not know
    QString path;         // as sent, still percent-encoded, without the query
    QStringList segments; // the path split at "/", each segment percent-decoded
    QUrlQuery query;
    QByteArray body;
    QByteArray authorization;                         // the Authorization header, empty when absent
    QList<std::pair<QByteArray, QByteArray>> headers; // every header as received, names as sent
    QStringList params; // the path segments the matching route captured, in order

    // The query item's decoded value, or nothing when the item is absent.
    std::optional<QString> queryValue(const QString& name) const;
    // The query item as a whole number from min to max, or the fallback when it is absent.
    // Throws HttpError 400 naming the item for anything else.
    int queryNumber(const QString& name, int fallback, int min, int max) const;
    // Every value of the header, whatever the case of its name, in the order received.
    QList<QByteArray> headerValues(QByteArrayView name) const;
};

struct Response {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
    QList<std::pair<QByteArray, QByteArray>> headers;

    static Response json(const QJsonValue& value, int status = 200);
    static Response error(int status, const QString& message);
    // A small HTML page for the browser (the stand-ins for the provider's and the store's sign-in
    // pages); `content` is HTML already, with every outside text escaped by the caller.
    static Response html(const QString& content, int status = 200);
    template <class T>
    static Response record(const T& value, int status = 200)
    {
        return json(wire::toJson(value), status);
    }
};

// Thrown by a handler to answer `status` with the body {"error": message}.
class HttpError : public std::runtime_error {
public:
    HttpError(int status, const QString& message)
        : std::runtime_error(message.toStdString())
        , status_(status)
        , message_(message)
    {}
    int status() const { return status_; }
    const QString& message() const { return message_; }

private:
    int status_;
    QString message_;
};

// The body decoded as a record of the application's own wire format; anything else answers 400
// naming what is wrong ("read: expected a boolean").
template <class T>
T decodeBody(const Request& request)
{
    if (request.body.trimmed().isEmpty())
        throw HttpError(400, QStringLiteral("This request needs a JSON body"));
    try {
        return wire::decodeJson<T>(request.body);
    } catch (const DecodeError& e) {
        throw HttpError(400, QStringLiteral("The request body is not valid: ") + e.message());
    }
}

// A body that decodes with every field absent says nothing; storing it would erase what it replaces.
template <class T>
void refuseEmptyRecord(const T& record)
{
    if (!(record == T{}))
        return;
    QStringList names;
    std::apply([&](const auto&... f) { (names.append(f.latin1()), ...); }, T::jsonFields());
    throw HttpError(400,
                    QStringLiteral("The request body sets none of: ") + names.join(QStringLiteral(", ")));
}

} // namespace zandrel::hub
