#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace zandrel::wire {

// One value of a parsed JSON document (see JsonDocument), read straight from the parser's tape: each
// value is a 64-bit word whose top byte names its kind. A string's word points into a buffer holding
// its unescaped UTF-8 after a 32-bit length; a number's value is in the next word; an array's or an
// object's word holds the index one past its closing word, and an object's contents alternate key and
// value. Reading here never copies: only toString() allocates. Valid while its document lives.
class JsonElement {
public:
    JsonElement() = default;
    JsonElement(const std::uint64_t* tape, const char* strings, std::size_t index)
        : tape_(tape)
        , strings_(strings)
        , index_(index)
    {}

    bool isNull() const { return kind() == 'n'; }
    bool isBool() const { return kind() == 't' || kind() == 'f'; }
    bool isString() const { return kind() == '"'; }
    bool isNumber() const { return kind() == 'l' || kind() == 'u' || kind() == 'd'; }
    bool isArray() const { return kind() == '['; }
    bool isObject() const { return kind() == '{'; }

    bool toBool() const { return kind() == 't'; }

    // The UTF-8 text of a string, unescaped.
    std::string_view stringView() const
    {
        const std::size_t at = std::size_t(word() & kPayload);
        quint32 length = 0;
        std::memcpy(&length, strings_ + at, sizeof length);
        return {strings_ + at + sizeof length, length};
    }
    QString toString() const { return toQString(stringView()); }

    // Any number as the nearest double.
    double toDouble() const
    {
        switch (kind()) {
        case 'l':
            return double(qint64(next()));
        case 'u':
            return double(next());
        default: {
            double value = 0;
            const std::uint64_t bits = next();
            std::memcpy(&value, &bits, sizeof value);
            // -0.0 reads as 0, as Qt's parser reads it: a cost of "-0" shows as 0.
            return value == 0 ? 0.0 : value;
        }
        }
    }

    // A number that is a whole number within 64 bits, also written as a fraction or with an exponent
    // ("3.0", "1e2"); absent for any other number.
    std::optional<qint64> toInteger() const
    {
        if (kind() == 'l')
            return qint64(next());
        if (kind() != 'd')
            return std::nullopt;
        const double value = toDouble();
        // The range check also refuses NaN; -2^63 is exact as a double, 2^63 is one past the range.
        if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0))
            return std::nullopt;
        const qint64 whole = qint64(value);
        return double(whole) == value ? std::optional<qint64>(whole) : std::nullopt;
    }

    // How many elements or members an array or object has (saturated at 2^24 - 1): for reserving.
    qsizetype sizeHint() const { return qsizetype((word() >> 32) & 0xFFFFFF); }

    template <class F>
    void forEachElement(F&& f) const
    {
        const std::size_t end = closing();
        for (std::size_t at = index_ + 1; at < end; at = after(at))
            f(JsonElement(tape_, strings_, at));
    }

    // f(key, value) for each member in the order written, repeated keys included.
    template <class F>
    void forEachMember(F&& f) const
    {
        const std::size_t end = closing();
        for (std::size_t at = index_ + 1; at < end; at = after(at + 1))
            f(JsonElement(tape_, strings_, at).stringView(), JsonElement(tape_, strings_, at + 1));
    }

    // The value of the member named so (its last one when the key repeats), if the object has one.
    std::optional<JsonElement> member(std::string_view name) const
    {
        std::optional<JsonElement> found;
        forEachMember([&](std::string_view key, const JsonElement& value) {
            if (key == name)
                found = value;
        });
        return found;
    }

    // UTF-8 text as a QString, keeping byte-order marks at its start (QString::fromUtf8 drops one).
    static QString toQString(std::string_view text)
    {
        if (text.size() >= 3 && std::memcmp(text.data(), "\xEF\xBB\xBF", 3) == 0)
            return withInitialMarks(text);
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

private:
    static QString withInitialMarks(std::string_view text);

    static constexpr std::uint64_t kPayload = (std::uint64_t(1) << 56) - 1;

    std::uint64_t word() const { return tape_[index_]; }
    std::uint64_t next() const { return tape_[index_ + 1]; }
    char kind() const { return char(word() >> 56); }
    // The index of the closing word of this array or object.
    std::size_t closing() const { return std::size_t(quint32(word())) - 1; }
    // The index of the value after the one at `at`.
    std::size_t after(std::size_t at) const
    {
        switch (char(tape_[at] >> 56)) {
        case '[':
        case '{':
            return std::size_t(quint32(tape_[at]));
        case 'l':
        case 'u':
        case 'd':
            return at + 2;
        default:
            return at + 1;
        }
    }

    const std::uint64_t* tape_ = nullptr;
    const char* strings_ = nullptr;
    std::size_t index_ = 0;
};

// A member name as the record codec reads it.
inline QString keyText(std::string_view key)
{
    return JsonElement::toQString(key);
}

} // namespace zandrel::wire
