#pragma once

#include "wire/JsonCodec.h"

#include <variant>

namespace zandrel {

// One JSON scalar in a free-form usage entry. Decoding never fails: anything that is not a string,
// number or boolean (null, an array, an object) becomes Null.
class AnyCodableValue {
public:
    enum class Kind { String, Int, Double, Bool, Null };

    AnyCodableValue() = default;
    explicit AnyCodableValue(QString value)
        : value_(std::move(value))
    {}
    explicit AnyCodableValue(qint64 value)
        : value_(value)
    {}
    explicit AnyCodableValue(double value)
        : value_(value)
    {}
    explicit AnyCodableValue(bool value)
        : value_(value)
    {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    QString toString() const; // the payload as display text; empty for Null
    const std::variant<QString, qint64, double, bool, std::monostate>& value() const { return value_; }

    QJsonValue toJson() const;

    bool operator==(const AnyCodableValue&) const = default;

private:
    std::variant<QString, qint64, double, bool, std::monostate> value_{std::monostate{}};
};

namespace wire {
template <>
struct JsonCodec<AnyCodableValue> {
    template <class V>
    static void decode(const V& value, AnyCodableValue& out)
    {
        if (value.isString())
            out = AnyCodableValue(value.toString());
        else if (value.isNumber())
            out = value.toInteger() ? AnyCodableValue(*value.toInteger()) : AnyCodableValue(value.toDouble());
        else if (value.isBool())
            out = AnyCodableValue(value.toBool());
        else
            out = {};
    }
    static QJsonValue encode(const AnyCodableValue& value) { return value.toJson(); }
};
} // namespace wire

} // namespace zandrel
