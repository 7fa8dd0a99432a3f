#include "store/StoreError.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace zandrel {

namespace {
QString describe(int status, const QString& body)
{
    const QString shown = body.size() > StoreError::maxBodyInDescription
                              ? body.left(StoreError::maxBodyInDescription) + QChar(0x2026)
                              : body;
    return QCoreApplication::translate("StoreError", "API error %1: %2").arg(QString::number(status), shown);
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
