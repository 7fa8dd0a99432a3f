#include "wire/JsonCodec.h"

#include <QCoreApplication>
#include <cstring>

namespace zandrel::wire {

namespace detail {

void fail(const char* reason)
{
    throw DecodeError(QCoreApplication::translate("JsonCodec", reason));
}

} // namespace detail

namespace {

// Qt's parser drops a byte-order mark at the start of a string ("\xEF\xBB\xBFx" reads as "x"). In
// checked JSON those bytes can only stand inside strings, where the escape \uFEFF means the same and
// is kept.
QByteArray withMarksEscaped(const QByteArray& bytes)
{
    static constexpr QByteArrayView mark("\xEF\xBB\xBF");
    // Looked for with memchr: a generic search costs a tenth of the parse on a large catalogue.
    const char* at = bytes.constData();
    const char* const end = at + bytes.size();
    while ((at = static_cast<const char*>(std::memchr(at, '\xEF', size_t(end - at))))) {
        if (end - at >= 3 && at[1] == '\xBB' && at[2] == '\xBF') {
            QByteArray escaped = bytes;
            return escaped.replace(mark, QByteArrayView("\\uFEFF"));
        }
        ++at;
    }
    return bytes;
}

} // namespace

QJsonValue parseJson(const QByteArray& raw)
{
    (void)JsonDocument(raw); // the strict check
    const QByteArray bytes = withMarksEscaped(raw);

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error == QJsonParseError::NoError)
        return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());

    // QJsonDocument takes only an object or an array at the top; a bare scalar is valid JSON too.
    QJsonParseError wrappedError;
    const QJsonDocument wrapped = QJsonDocument::fromJson('[' + bytes + ']', &wrappedError);
    if (wrappedError.error == QJsonParseError::NoError && wrapped.array().size() == 1)
        return wrapped.array().at(0);

    throw DecodeError(QCoreApplication::translate("JsonCodec", "not valid JSON (%1 at offset %2)")
                          .arg(error.errorString())
                          .arg(error.offset));
}

QByteArray serialize(const QJsonValue& value)
{
    if (value.isObject())
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    if (value.isArray())
        return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    // A scalar: serialise inside an array and strip the brackets.
    QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

} // namespace zandrel::wire
