#include "wire/DecodeError.h"

#include <QCoreApplication>

namespace zandrel {

namespace {
QString shown(const QString& message)
{
    return QCoreApplication::translate("DecodeError", "Unexpected answer from the Hub: %1").arg(message);
}

QString describe(const QString& path, const QString& reason)
{
    return path.isEmpty() ? reason : path + QStringLiteral(": ") + reason;
}
} // namespace

DecodeError::DecodeError(QString reason, QString path)
    : Error(shown(describe(path, reason)))
    , reason_(std::move(reason))
    , path_(std::move(path))
{}

QString DecodeError::message() const
{
    return describe(path_, reason_);
}

void DecodeError::prependMember(const QString& name)
{
    if (path_.isEmpty() || path_.startsWith(u'['))
        path_.prepend(name);
    else
        path_.prepend(name + u'.');
    refresh();
}

void DecodeError::prependIndex(qsizetype index)
{
    const QString segment = u'[' + QString::number(index) + u']';
    path_.prepend(path_.isEmpty() || path_.startsWith(u'[') ? segment : segment + u'.');
    refresh();
}

void DecodeError::refresh()
{
    setDescription(shown(describe(path_, reason_)));
}

} // namespace zandrel
