#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <optional>
#include <string_view>

namespace zandrel::wire {

// A member name of a QJsonObject, compared with the codec's field names as they are.
struct JsonValueKey {
    QString text;
    bool operator==(std::string_view name) const
    {
        return text == QLatin1StringView(name.data(), qsizetype(name.size()));
    }
};

inline QString keyText(const JsonValueKey& key)
{
    return key.text;
}

// A QJsonValue read through the same interface as JsonElement, so that the record codec can decode
// values built or parsed by Qt.
class JsonValueView {
public:
    explicit JsonValueView(QJsonValue value)
        : value_(std::move(value))
    {}

    bool isNull() const { return value_.isNull(); }
    bool isBool() const { return value_.isBool(); }
    bool isString() const { return value_.isString(); }
    bool isNumber() const { return value_.isDouble(); }
    bool isArray() const { return value_.isArray(); }
    bool isObject() const { return value_.isObject(); }

    bool toBool() const { return value_.toBool(); }
    QString toString() const { return value_.toString(); }
    double toDouble() const { return value_.toDouble(); }
    std::optional<qint64> toInteger() const
    {
        // toInteger answers its default for fractions and for numbers outside the 64-bit range;
        // asking with two different defaults tells that apart from a real 0 or 1.
        const qint64 a = value_.toInteger(0);
        if (!value_.isDouble() || (a == 0 && value_.toInteger(1) != 0))
            return std::nullopt;
        return a;
    }
    qsizetype sizeHint() const { return value_.isArray() ? value_.toArray().size() : 0; }

    template <class F>
    void forEachElement(F&& f) const
    {
        const QJsonArray array = value_.toArray();
        for (const QJsonValue& item : array)
            f(JsonValueView(item));
    }

    template <class F>
    void forEachMember(F&& f) const
    {
        const QJsonObject object = value_.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            f(JsonValueKey{it.key()}, JsonValueView(it.value()));
    }

private:
    QJsonValue value_;
};

} // namespace zandrel::wire
