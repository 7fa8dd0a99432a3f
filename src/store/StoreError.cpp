#include "store/StoreError.h"

#include <QStringDecoder>

namespace zandrel {

namespace {
QString describe(int status, const QString& body)
{
    const QString shown = body.size() > StoreError::maxBodyInDescription
                              ? body.left(StoreError::maxBodyInDescription) + QChar(0x2026)
                              : body;
    return QStringLiteral("API error ") + QString::number(status) + QStringLiteral(": ") + shown;
}
} // namespace

StoreError::StoreError(int status, QString body)
    : Error(describe(status, body))
    , status_(status)
    , body_(std::move(body))
{}

QString StoreError::bodyText(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

} // namespace zandrel
