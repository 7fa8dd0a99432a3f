#pragma once

// Whether this process has mapped any Qt plugin of a kind ("imageformats"), to catch a plugin loaded
// that a long run would then hold for nothing.

#include <QByteArray>
#include <QFile>

namespace zandrel::test {

inline bool pluginsMapped(const QByteArray& kind)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/plugins/" + kind + '/');
}

} // namespace zandrel::test
