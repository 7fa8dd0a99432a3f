#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace zandrel::test {

// Writes the Hub's log as the Hub would: replaced whole, or added to.
inline void writeLog(const QString& path, const QByteArray& bytes, bool append = false)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate)));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Request lines "GET /api/apps/<i> 200 1 ms" for i in [from, from + count).
inline QByteArray appRequests(int from, int count)
{
    QByteArray lines;
    for (int i = from; i < from + count; ++i)
        lines += "GET /api/apps/" + QByteArray::number(i) + " 200 1 ms\n";
    return lines;
}

} // namespace zandrel::test
