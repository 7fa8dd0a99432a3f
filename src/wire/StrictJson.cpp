#include "wire/StrictJson.h"

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

// The strict parser refuses whole numbers beyond 64 bits, which JSON allows and which a member we do
// not read may hold. Each such integer becomes "0" and spaces, an integer of the same grammar, so the
// copy is valid exactly when the original is apart from that range.
QByteArray withLongIntegersShortened(QByteArray bytes)
{
    char* s = bytes.data();
    const qsizetype n = bytes.size();
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
        // 18 digits always fit; anything longer that is a plain integer is shortened.
        if (end - first > 18 && s[first] != '0' && (end == n || endsToken(s[end]))) {
            s[first] = '0';
            std::fill(s + first + 1, s + end, ' ');
        }
        i = end - 1;
    }
    return bytes;
}

// Integers beyond 64 bits are a number error in simdjson 3.0 and an error of their own in later
// releases; either way the shortened copy settles it.
template <class Code = simdjson::error_code>
bool mayBeLongInteger(Code code)
{
    if constexpr (requires { Code::BIGINT_ERROR; })
        return code == Code::NUMBER_ERROR || code == Code::BIGINT_ERROR;
    else
        return code == Code::NUMBER_ERROR;
}

} // namespace

void requireStrictJson(const QByteArray& bytes)
{
    // Stated apart: the strict parser would only say the structure is wrong.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        throw DecodeError(
            QCoreApplication::translate("StrictJson", "not valid JSON: it starts with a byte-order mark"));

    // The DOM parser validates the whole document, members nobody reads included. It reads in blocks
    // past the end, hence the padded copy.
    simdjson::dom::parser parser;
    simdjson::error_code code =
        parser.parse(simdjson::padded_string(bytes.constData(), size_t(bytes.size()))).error();
    if (mayBeLongInteger(code)) {
        const QByteArray shortened = withLongIntegersShortened(bytes);
        if (shortened != bytes)
            code = parser.parse(simdjson::padded_string(shortened.constData(), size_t(shortened.size())))
                       .error();
    }
    if (code != simdjson::SUCCESS)
        throw DecodeError(describe(code));
}

} // namespace zandrel::wire
