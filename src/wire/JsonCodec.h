#pragma once

// The record codec. Every record lists its fields once, in a static `jsonFields()`:
//
//     struct FileInfo {
//         std::optional<QString> path;
//         static constexpr auto jsonFields() { return std::tuple{field("path", &FileInfo::path)}; }
//     };
//
// That one list drives decoding and encoding. The rules are the wire format's:
// - member names are matched exactly; members not listed are ignored;
// - a field of type std::optional<T> is optional: a missing member or JSON null is absent, and an absent
//   field is left out when encoding;
// - any other field is required: missing, null or of another JSON type fails the whole decode;
// - qint64 accepts only whole numbers that fit; double accepts any number.
// A failure throws DecodeError naming the path, e.g. "results[3].price_cents: expected an integer".

#include "wire/DecodeError.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <tuple>
#include <type_traits>

namespace zandrel::wire {

template <class Record, class Member>
struct Field {
    const char* name;
    Member Record::*member;
};

template <class Record, class Member>
constexpr Field<Record, Member> field(const char* name, Member Record::*member)
{
    return {name, member};
}

template <class T>
concept JsonRecord = requires
{
    T::jsonFields();
};

template <class T>
struct JsonCodec;

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

namespace detail {
// Throws DecodeError with the reason translated; the reason is a QT_TRANSLATE_NOOP("JsonCodec", ...) text.
[[noreturn]] void fail(const char* reason);
} // namespace detail

template <>
struct JsonCodec<QString> {
    static void decode(const QJsonValue& value, QString& out)
    {
        if (!value.isString())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected a string"));
        out = value.toString();
    }
    static QJsonValue encode(const QString& value) { return value; }
};

template <>
struct JsonCodec<bool> {
    static void decode(const QJsonValue& value, bool& out)
    {
        if (!value.isBool())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected a boolean"));
        out = value.toBool();
    }
    static QJsonValue encode(bool value) { return value; }
};

template <>
struct JsonCodec<qint64> {
    static void decode(const QJsonValue& value, qint64& out);
    static QJsonValue encode(qint64 value) { return value; }
};

template <>
struct JsonCodec<double> {
    static void decode(const QJsonValue& value, double& out)
    {
        if (!value.isDouble())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected a number"));
        out = value.toDouble();
    }
    static QJsonValue encode(double value) { return value; }
};

template <class T>
struct JsonCodec<QList<T>> {
    static void decode(const QJsonValue& value, QList<T>& out)
    {
        if (!value.isArray())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected an array"));
        const QJsonArray array = value.toArray();
        out.clear();
        out.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i) {
            try {
                JsonCodec<T>::decode(array.at(i), out.emplace_back());
            } catch (DecodeError& e) {
                e.prependIndex(i);
                throw;
            }
        }
    }
    static QJsonValue encode(const QList<T>& value)
    {
        QJsonArray array;
        for (const T& item : value)
            array.append(JsonCodec<T>::encode(item));
        return array;
    }
};

// A JSON object used as a dictionary: member names are the keys.
template <class T>
struct JsonCodec<QMap<QString, T>> {
    static void decode(const QJsonValue& value, QMap<QString, T>& out)
    {
        if (!value.isObject())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected an object"));
        const QJsonObject object = value.toObject();
        out.clear();
        for (auto it = object.begin(); it != object.end(); ++it) {
            try {
                JsonCodec<T>::decode(it.value(), out[it.key()]);
            } catch (DecodeError& e) {
                e.prependMember(it.key());
                throw;
            }
        }
    }
    static QJsonValue encode(const QMap<QString, T>& value)
    {
        QJsonObject object;
        for (auto it = value.begin(); it != value.end(); ++it)
            object.insert(it.key(), JsonCodec<T>::encode(it.value()));
        return object;
    }
};

template <JsonRecord T>
struct JsonCodec<T> {
    static void decode(const QJsonValue& value, T& out)
    {
        if (!value.isObject())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected an object"));
        const QJsonObject object = value.toObject();
        std::apply([&](const auto&... f) { (decodeField(object, f, out), ...); }, T::jsonFields());
    }

    static QJsonValue encode(const T& value)
    {
        QJsonObject object;
        std::apply([&](const auto&... f) { (encodeField(object, f, value), ...); }, T::jsonFields());
        return object;
    }

private:
    template <class M>
    static void decodeField(const QJsonObject& object, const Field<T, M>& f, T& out)
    {
        const QJsonValue member = object.value(QLatin1StringView(f.name));
        try {
            if constexpr (IsOptional<M>::value) {
                if (member.isUndefined() || member.isNull()) {
                    (out.*f.member).reset();
                    return;
                }
                JsonCodec<typename M::value_type>::decode(member, (out.*f.member).emplace());
            } else {
                if (member.isUndefined())
                    detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "missing"));
                JsonCodec<M>::decode(member, out.*f.member);
            }
        } catch (DecodeError& e) {
            e.prependMember(QString::fromLatin1(f.name));
            throw;
        }
    }

    template <class M>
    static void encodeField(QJsonObject& object, const Field<T, M>& f, const T& value)
    {
        if constexpr (IsOptional<M>::value) {
            if (const auto& member = value.*f.member)
                object.insert(QLatin1StringView(f.name), JsonCodec<typename M::value_type>::encode(*member));
        } else {
            object.insert(QLatin1StringView(f.name), JsonCodec<M>::encode(value.*f.member));
        }
    }
};

// Parses strict JSON text (see requireStrictJson) of any top-level kind, also a bare scalar. Throws
// DecodeError when it is not JSON. When a key repeats, its last value counts.
QJsonValue parseJson(const QByteArray& bytes);

template <class T>
T fromJson(const QJsonValue& value)
{
    T out{};
    JsonCodec<T>::decode(value, out);
    return out;
}

template <class T>
T decodeJson(const QByteArray& bytes)
{
    return fromJson<T>(parseJson(bytes));
}

template <class T>
QJsonValue toJson(const T& value)
{
    return JsonCodec<T>::encode(value);
}

// Compact JSON text of a record, list or map.
QByteArray serialize(const QJsonValue& value);

template <class T>
QByteArray encodeJson(const T& value)
{
    return serialize(toJson(value));
}

} // namespace zandrel::wire
