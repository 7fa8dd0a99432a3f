#include "wire/JsonDocument.h"

#include "wire/DecodeError.h"

#include <QCoreApplication>
#include <simdjson.h>

namespace zandrel::wire {

namespace {

QString describe(simdjson::error_code code)
{
    switch (code) {
    case simdjson::EMPTY:
        return QCoreApplication::translate("StrictJson", "the answer is empty, expected JSON");
    case simdjson::UTF8_ERROR:
        return QCoreApplication::translate("StrictJson", "not valid JSON: the text is not valid UTF-8");
    case simdjson::UNESCAPED_CHARS:
        return QCoreApplication::translate(
            "StrictJson", "not valid JSON: a string holds a control character that must be escaped");
    case simdjson::UNCLOSED_STRING:
        return QCoreApplication::translate("StrictJson", "not valid JSON: a string is not closed");
    case simdjson::STRING_ERROR:
        return QCoreApplication::translate(
            "StrictJson", "not valid JSON: a string holds an invalid escape or a lone surrogate");
    case simdjson::NUMBER_ERROR:
        return QCoreApplication::translate("StrictJson",
                                           "not valid JSON: a number is not written as JSON allows");
    case simdjson::T_ATOM_ERROR:
    case simdjson::F_ATOM_ERROR:
    case simdjson::N_ATOM_ERROR:
        return QCoreApplication::translate("StrictJson",
                                           "not valid JSON: an unknown word stands where a value belongs");
    case simdjson::DEPTH_ERROR:
        return QCoreApplication::translate(
            "StrictJson", "not valid JSON: arrays and objects are nested more than 1024 deep");
    case simdjson::TAPE_ERROR:
        return QCoreApplication::translate(
            "StrictJson", "not valid JSON: a value, comma, colon or bracket is missing or out of place");
    case simdjson::CAPACITY:
    case simdjson::MEMALLOC:
        return QCoreApplication::translate("StrictJson", "the document is too large to read");
    default:
        return QCoreApplication::translate("StrictJson", "not valid JSON: %1")
            .arg(QString::fromUtf8(simdjson::error_message(code)));
    }
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool endsToken(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ']' || c == '}';
}

// Whether the digits (no sign, no leading zero) fit the parser's 64-bit integers.
bool fits64(const char* digits, qsizetype count, bool negative)
{
    const std::string_view limit = negative ? "9223372036854775808" : "18446744073709551615";
    const auto length = qsizetype(limit.size());
    return count < length || (count == length && std::string_view(digits, size_t(count)) <= limit);
}

// The parser refuses whole numbers beyond 64 bits, which JSON allows and which a member we do not read
// may hold. A copy with ".0" after each such integer reads it as the nearest double, as JSON readers
// commonly do; the copy is valid exactly when the original is. Null when there is none.
QByteArray withLongIntegersAsFractions(const QByteArray& bytes)
{
    const char* s = bytes.constData();
    const qsizetype n = bytes.size();
    QByteArray copy;
    qsizetype copied = 0;
    bool inString = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = s[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
            continue;
        }
        if (!(c == '-' || isDigit(c)) ||
            (i > 0 && !endsToken(s[i - 1]) && s[i - 1] != '[' && s[i - 1] != ':'))
            continue;
        const qsizetype first = c == '-' ? i + 1 : i;
        qsizetype end = first;
        while (end < n && isDigit(s[end]))
            ++end;
        if (end > first && s[first] != '0' && (end == n || endsToken(s[end])) &&
            !fits64(s + first, end - first, c == '-')) {
            copy.append(s + copied, end - copied).append(".0");
            copied = end;
        }
        i = end - 1;
    }
    if (copied == 0)
        return {};
    return copy.append(s + copied, n - copied);
}
// Integers beyond 64 bits are a number error in simdjson 3.0 and an error of their own in later
// releases; either way the copy with fractions settles it.
template <class Code = simdjson::error_code>
bool mayBeLongInteger(Code code)
{
    if constexpr (requires { Code::BIGINT_ERROR; })
        return code == Code::NUMBER_ERROR || code == Code::BIGINT_ERROR;
    else
        return code == Code::NUMBER_ERROR;
}

} // namespace

struct JsonDocument::Parsed {
    simdjson::dom::parser parser;
};

// The element reads the parser's tape directly; these are the words it knows.
using simdjson::internal::tape_type;
static_assert(char(tape_type::START_ARRAY) == '[' && char(tape_type::START_OBJECT) == '{' &&
              char(tape_type::STRING) == '"' && char(tape_type::INT64) == 'l' &&
              char(tape_type::UINT64) == 'u' && char(tape_type::DOUBLE) == 'd' &&
              char(tape_type::TRUE_VALUE) == 't' && char(tape_type::FALSE_VALUE) == 'f' &&
              char(tape_type::NULL_VALUE) == 'n');
static_assert(simdjson::SIMDJSON_VERSION_MAJOR == 3 &&
              simdjson::internal::JSON_VALUE_MASK == (1ULL << 56) - 1 &&
              simdjson::internal::JSON_COUNT_MASK == 0xFFFFFF);
static_assert(std::is_same_v<decltype(simdjson::dom::document::tape), std::unique_ptr<uint64_t[]>> &&
              std::is_same_v<decltype(simdjson::dom::document::string_buf), std::unique_ptr<uint8_t[]>>);

JsonDocument::JsonDocument(const QByteArray& bytes)
    : parsed_(std::make_unique<Parsed>())
{
    // Stated apart: the parser would only say the structure is wrong.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        throw DecodeError(
            QCoreApplication::translate("StrictJson", "not valid JSON: it starts with a byte-order mark"));

    // The parser validates the whole document, members nobody reads included. It reads in blocks past
    // the end, so it copies bytes that lack the room.
    auto parse = [this](const QByteArray& text) {
        // Room after the data, not capacity(): that also counts room freed at the front.
        QByteArray alias = text;
        const bool padded = alias.data_ptr().freeSpaceAtEnd() >= qsizetype(simdjson::SIMDJSON_PADDING);
        return parsed_->parser.parse(text.constData(), size_t(text.size()), !padded).error();
    };
    simdjson::error_code code = parse(bytes);
    if (mayBeLongInteger(code)) {
        if (const QByteArray fractions = withLongIntegersAsFractions(bytes); !fractions.isNull())
            code = parse(fractions);
    }
    if (code != simdjson::SUCCESS)
        throw DecodeError(describe(code));
}

JsonDocument::~JsonDocument() = default;

JsonElement JsonDocument::root() const
{
    const simdjson::dom::document& document = parsed_->parser.doc;
    return {document.tape.get(), reinterpret_cast<const char*>(document.string_buf.get()), 1};
}

} // namespace zandrel::wire
