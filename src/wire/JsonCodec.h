#pragma once

// The record codec. Every record lists its fields once, in a static `jsonFields()`:
//
//     struct FileInfo {
//         std::optional<QString> path;
//         static constexpr auto jsonFields() { return std::tuple{field("path", &FileInfo::path)}; }
//     };
//
// That one list drives decoding and encoding. The rules are the wire format's:
// - member names are matched exactly; members not listed are ignored; of a repeated member the last
//   counts;
// - a field of type std::optional<T> is optional: a missing member or JSON null is absent, and an absent
//   field is left out when encoding;
// - any other field is required: missing, null or of another JSON type fails the whole decode;
// - qint64 accepts only whole numbers that fit; double accepts any number.
// A failure throws DecodeError naming the path, e.g. "results[3].price_cents: expected an integer".
//
// Decoding reads a JsonElement of a JsonDocument: the bytes are checked, parsed and turned into records
// in one pass. The same rules read a QJsonValue through JsonValueView. Encoding builds Qt's JSON values:
// what we send is small.

#include "wire/DecodeError.h"
#include "wire/JsonDocument.h"
#include "wire/JsonElement.h"
#include "wire/JsonValueView.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace zandrel::wire {

template <class Record, class Member>
struct Field {
    std::string_view name;
    Member Record::*member;

    QLatin1StringView latin1() const { return QLatin1StringView(name.data(), qsizetype(name.size())); }
};

template <class Record, class Member>
constexpr Field<Record, Member> field(std::string_view name, Member Record::*member)
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
    template <class V>
    static void decode(const V& value, QString& out)
    {
        if (!value.isString())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected a string"));
        out = value.toString();
    }
    static QJsonValue encode(const QString& value) { return value; }
};

template <>
struct JsonCodec<bool> {
    template <class V>
    static void decode(const V& value, bool& out)
    {
        if (!value.isBool())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected a boolean"));
        out = value.toBool();
    }
    static QJsonValue encode(bool value) { return value; }
};

template <>
struct JsonCodec<qint64> {
    template <class V>
    static void decode(const V& value, qint64& out)
    {
        const std::optional<qint64> whole = value.toInteger();
        if (!whole)
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected an integer"));
        out = *whole;
    }
    static QJsonValue encode(qint64 value) { return value; }
};

template <>
struct JsonCodec<double> {
    template <class V>
    static void decode(const V& value, double& out)
    {
        if (!value.isNumber())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected a number"));
        out = value.toDouble();
    }
    static QJsonValue encode(double value) { return value; }
};

// What a list reserves before its elements are read, at most.
inline constexpr qsizetype maxReservedBytes = 4 << 20;

template <class T>
struct JsonCodec<QList<T>> {
    template <class V>
    static void decode(const V& value, QList<T>& out)
    {
        if (!value.isArray())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected an array"));
        out.clear();
        // The count is the text's word, not yet checked: room for a bounded part of it, the rest
        // grows as the elements are read.
        out.reserve(std::min<qsizetype>(value.sizeHint(), maxReservedBytes / qsizetype(sizeof(T)) + 1));
        value.forEachElement([&](const V& item) {
            try {
                JsonCodec<T>::decode(item, out.emplace_back());
            } catch (DecodeError& e) {
                e.prependIndex(out.size() - 1);
                throw;
            }
        });
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
    template <class V>
    static void decode(const V& value, QMap<QString, T>& out)
    {
        if (!value.isObject())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected an object"));
        // Only the last of a repeated key counts, and keys are decoded in order, so that a failure
        // names the same key whichever reader found it.
        QMap<QString, V> members;
        value.forEachMember([&](const auto& key, const V& member) { members.insert(keyText(key), member); });
        out.clear();
        for (auto it = members.cbegin(); it != members.cend(); ++it) {
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
    template <class V>
    static void decode(const V& value, T& out)
    {
        if (!value.isObject())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected an object"));
        // One walk over the members finds each field's value (the last, when a key repeats); the fields
        // are then decoded in their listed order, so a failure names the first listed field that fails.
        static constexpr auto fields = T::jsonFields();
        std::array<std::optional<V>, std::tuple_size_v<decltype(fields)>> found;
        value.forEachMember([&](const auto& key, const V& member) {
            std::apply(
                [&](const auto&... f) {
                    std::size_t i = 0;
                    // Stops at the first field with that name.
                    (void)((key == f.name ? (found[i] = member, true) : (++i, false)) || ...);
                },
                fields);
        });
        std::apply(
            [&](const auto&... f) {
                std::size_t i = 0;
                (decodeField(found[i++], f, out), ...);
            },
            fields);
    }

    static QJsonValue encode(const T& value)
    {
        QJsonObject object;
        std::apply([&](const auto&... f) { (encodeField(object, f, value), ...); }, T::jsonFields());
        return object;
    }

private:
    template <class V, class M>
    static void decodeField(const std::optional<V>& member, const Field<T, M>& f, T& out)
    {
        try {
            if constexpr (IsOptional<M>::value) {
                if (!member || member->isNull()) {
                    (out.*f.member).reset();
                    return;
                }
                JsonCodec<typename M::value_type>::decode(*member, (out.*f.member).emplace());
            } else {
                if (!member)
                    detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "missing"));
                JsonCodec<M>::decode(*member, out.*f.member);
            }
        } catch (DecodeError& e) {
            e.prependMember(f.latin1());
            throw;
        }
    }

    template <class M>
    static void encodeField(QJsonObject& object, const Field<T, M>& f, const T& value)
    {
        if constexpr (IsOptional<M>::value) {
            if (const auto& member = value.*f.member)
                object.insert(f.latin1(), JsonCodec<typename M::value_type>::encode(*member));
        } else {
            object.insert(f.latin1(), JsonCodec<M>::encode(value.*f.member));
        }
    }
};

// Qt's value of a strict JSON text (see JsonDocument) of any top-level kind, also a bare scalar. Throws
// DecodeError when it is not JSON. When a key repeats, its last value counts.
QJsonValue parseJson(const QByteArray& bytes);

template <class T>
T fromJson(const JsonElement& value)
{
    T out{};
    JsonCodec<T>::decode(value, out);
    return out;
}

template <class T>
T fromJson(const QJsonValue& value)
{
    T out{};
    JsonCodec<T>::decode(JsonValueView(value), out);
    return out;
}

// Checks, parses and decodes in one pass.
template <class T>
T decodeJson(const QByteArray& bytes)
{
    const JsonDocument document(bytes);
    return fromJson<T>(document.root());
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
