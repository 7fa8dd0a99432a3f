#include "wire/DecodeError.h"

namespace zandrel {

namespace {
QString describe(const QString& path, const QString& reason)
{
    return path.isEmpty() ? reason : path + QStringLiteral(": ") + reason;
}
} // namespace

DecodeError::DecodeError(QString reason, QString path)
    : Error(QStringLiteral("Unexpected answer from the Hub: ") + describe(path, reason))
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
    setDescription(QStringLiteral("Unexpected answer from the Hub: ") + describe(path_, reason_));
}

} // namespace zandrel
