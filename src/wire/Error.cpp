#include "wire/Error.h"

#include <QCoreApplication>

namespace zandrel {

Error::Error(QString description)
    : description_(std::move(description))
    , what_(description_.toUtf8())
{}

void Error::setDescription(QString description)
{
    description_ = std::move(description);
    what_ = description_.toUtf8();
}

QString describeException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return e.description();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QCoreApplication::translate("Error", "Unknown error");
    }
}

} // namespace zandrel
