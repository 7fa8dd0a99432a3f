#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>

namespace zandrel::test {

// The store's answer to an update check offering version 2.0 of each slug.
inline QByteArray updatesFor(const QList<QByteArray>& slugs)
{
    QByteArrayList entries;
    for (const QByteArray& slug : slugs)
        entries.append("\"" + slug +
                       "\":{\"version\":\"2.0\",\"url\":\"u\",\"hash\":\"h\",\"size\":1,\"notes\":\"Better\","
                       "\"required\":false}");
    return R"({"updates":{)" + entries.join(",") + R"(},"announcements":[]})";
}

} // namespace zandrel::test
