#pragma once

// One table of JSON documents, valid and not, that both sides of the wire must judge alike: the
// application's codec and the reference Hub's request bodies. Each document is a permissions body with
// the case under test in a member nobody reads ("x"), so a lenient parser would let it through
// unnoticed; a few cases concern the whole text.

#include <QByteArray>
#include <QList>

namespace zandrel::test {

struct JsonCase {
    const char* name;
    QByteArray document;
    bool valid;
};

inline QByteArray permissionsBodyWith(const QByteArray& x)
{
    return "{\"read\":true,\"write\":true,\"actions\":true,\"x\":" + x + "}";
}

inline QList<JsonCase> jsonConformanceCases()
{
    const auto with = permissionsBodyWith;
    const QByteArray plain = with("0");
    return {
        // Numbers.
        {"zero and negative zero", with("[0,-0,-0.0]"), true},
        {"fraction and exponents", with("[1.5,1.5e3,1E+2,1e-2,3.0]"), true},
        {"integer beyond 64 bits",
         with("[123456789012345678901234567890,-123456789012345678901234567890]"),
         true},
        {"just beyond unsigned 64 bits", with("18446744073709551616"), true},
        {"long digits inside a string", with("\"\\\"12345678901234567890123\""), true},
        {"long integer with leading zero", with("01234567890123456789012"), false},
        {"negative long integer with leading zero", with("-01234567890123456789012"), false},
        {"long integer run into a letter", with("12345678901234567890123x"), false},
        {"long integer before a trailing comma", with("[12345678901234567890123,]"), false},
        {"number beyond a double", with("1e400"), false},
        {"fraction without integer part", with(".5"), false},
        {"negative fraction without integer part", with("[-.1]"), false},
        {"point without fraction", with("1."), false},
        {"point before exponent", with("2.e3"), false},
        {"leading zero", with("01"), false},
        {"plus sign", with("+1"), false},
        {"bare minus", with("-"), false},
        {"exponent without digits", with("1e"), false},
        {"hexadecimal", with("0x10"), false},
        {"not a number", with("NaN"), false},
        {"infinity", with("Infinity"), false},
        // Strings and escapes.
        {"every escape", with("\"\\\" \\\\ \\/ \\b \\f \\n \\r \\t \\u00e9 \\u0000\""), true},
        {"surrogate pair", with("\"\\ud83d\\ude00\""), true},
        {"UTF-8 text", with("\"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""), true},
        {"DEL needs no escape", with("\"\x7F\""), true},
        {"escape x", with("\"\\x41\""), false},
        {"escape a", with("\"\\a\""), false},
        {"escape U", with("\"\\U0041\""), false},
        {"escaped apostrophe", with("\"\\'\""), false},
        {"short unicode escape", with("\"\\u12\""), false},
        {"raw tab", with("\"a\tb\""), false},
        {"raw new line", with("\"a\nb\""), false},
        {"raw control character", with("\"\x01\""), false},
        {"lone high surrogate", with("\"\\ud800\""), false},
        {"lone low surrogate", with("\"\\udc00\""), false},
        {"high surrogate before a letter", with("\"\\ud800\\u0041\""), false},
        {"single quotes", with("'a'"), false},
        {"unclosed string", "{\"read\":true,\"x\":\"abc}", false},
        // Invalid UTF-8, inside and outside strings.
        {"byte FF", with("\"\xFF\""), false},
        {"overlong encoding", with("\"\xC0\x80\""), false},
        {"encoded surrogate", with("\"\xED\xA0\x80\""), false},
        {"truncated sequence", with("\"\xE2\x82\""), false},
        {"invalid byte in a key", "{\"read\":true,\"\xFE\":1}", false},
        // Structure.
        {"duplicate keys", "{\"read\":false,\"read\":true,\"write\":true,\"actions\":true}", true},
        {"white space everywhere", " \t\r\n{ \"read\" : true ,\"write\":true,\"actions\":true } \n", true},
        {"nested 500 deep", with(QByteArray(500, '[') + QByteArray(500, ']')), true},
        {"nested 2000 deep", with(QByteArray(2000, '[') + QByteArray(2000, ']')), false},
        {"trailing comma", with("[1,]"), false},
        {"comment", with("1 /* c */"), false},
        {"unquoted key", "{read:true}", false},
        {"misspelt literal", with("tru"), false},
        {"trailing garbage", plain + " x", false},
        {"second document", plain + plain, false},
        {"extra closing brace", plain + "}", false},
        {"byte-order mark", "\xEF\xBB\xBF" + plain, false},
        {"scalar with an invalid escape", "\"\\UA66D\"", false},
    };
}

} // namespace zandrel::test
