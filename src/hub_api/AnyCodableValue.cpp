#include "hub_api/AnyCodableValue.h"

namespace zandrel {

QJsonValue AnyCodableValue::toJson() const
{
    switch (kind()) {
    case Kind::String:
        return std::get<QString>(value_);
    case Kind::Int:
        return std::get<qint64>(value_);
    case Kind::Double:
        return std::get<double>(value_);
    case Kind::Bool:
        return std::get<bool>(value_);
    case Kind::Null:
        break;
    }
    return QJsonValue(QJsonValue::Null);
}

QString AnyCodableValue::toString() const
{
    switch (kind()) {
    case Kind::String:
        return std::get<QString>(value_);
    case Kind::Int:
        return QString::number(std::get<qint64>(value_));
    case Kind::Double:
        return QString::number(std::get<double>(value_));
    case Kind::Bool:
        return std::get<bool>(value_) ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::Null:
        break;
    }
    return {};
}

} // namespace zandrel
