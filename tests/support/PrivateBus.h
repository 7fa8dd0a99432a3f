#pragma once

// A dbus-daemon of the test's own, so that a test reaches no bus of the machine's.

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace zandrel::test {

class PrivateBus {
public:
    PrivateBus() = default;
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    ~PrivateBus()
    {
        for (const QString& name : std::as_const(names_))
            QDBusConnection::disconnectFromBus(name);
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
        while (!daemon_.canReadLine() && !deadline.hasExpired()) {
            if (!daemon_.waitForReadyRead(int(deadline.remainingTime())))
                break;
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        return !address_.isEmpty();
    }

    const QString& address() const { return address_; }

    // A connection of its own each time, as another process would have. Qt keeps a connection by its
    // name, so names are unique in the process, also across buses.
    QDBusConnection connect()
    {
        static int connections = 0;
        names_.append(QStringLiteral("private-bus-%1").arg(++connections));
        return QDBusConnection::connectToBus(address_, names_.constLast());
    }

private:
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

} // namespace zandrel::test
