#pragma once

// A dbus-daemon of the test's own, so that no test reaches a bus of the machine's.

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace zandrel::test {

class PrivateBus {
public:
    PrivateBus() = default;
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    ~PrivateBus()
    {
        daemon_.terminate();
        daemon_.waitForFinished();
    }

    static bool available()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
    }

    // False when the daemon did not start or named no address within a few seconds.
    bool start()
    {
        daemon_.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (!daemon_.waitForStarted())
            return false;
        const QDeadlineTimer deadline(5000);
        while (!daemon_.canReadLine() && !deadline.hasExpired())
            daemon_.waitForReadyRead(int(deadline.remainingTime()));
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        return !address_.isEmpty();
    }

    const QString& address() const { return address_; }

    // A connection of its own each time, as another process would have.
    QDBusConnection connect()
    {
        return QDBusConnection::connectToBus(address_, QStringLiteral("connection-%1").arg(++connections_));
    }

private:
    QProcess daemon_;
    QString address_;
    int connections_ = 0;
};

} // namespace zandrel::test
