#include "wire/JsonElement.h"

#include <QStringDecoder>

namespace zandrel::wire {

QString JsonElement::withInitialMarks(std::string_view text)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
}

} // namespace zandrel::wire
