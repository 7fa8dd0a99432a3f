#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTest>

namespace zandrel::test {

// Waits until a process started by the test has printed the text on its standard output.
inline bool waitForOutput(QProcess& process, const QByteArray& text, int timeoutMs = 10000)
{
    QByteArray out;
    return QTest::qWaitFor(
        [&] {
            out += process.readAllStandardOutput();
            return out.contains(text);
        },
        timeoutMs);
}

} // namespace zandrel::test
