#pragma once

#include "wire/JsonCodec.h"

namespace zandrel::test {

// "path: reason" of the decode failure, or "(decoded)" when the JSON decodes as T.
template <class T>
QString decodeFailure(const QByteArray& json)
{
    try {
        wire::decodeJson<T>(json);
    } catch (const DecodeError& e) {
        return e.message();
    }
    return QStringLiteral("(decoded)");
}

} // namespace zandrel::test
