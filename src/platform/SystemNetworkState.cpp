#include "platform/SystemNetworkState.h"

#include <QNetworkInformation>

#if defined(Q_OS_LINUX)
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace zandrel {

namespace {

// Qt's Linux backend speaks to NetworkManager, and to choose it Qt loads every backend it has, GLib's
// with GIO behind it: over a megabyte that a window living for weeks would hold for nothing where
// NetworkManager does not run. So the system bus is asked first (its answer bounded to a second), and
// asked again at the next check while the answer is no: NetworkManager may start after the window.
bool backendCanAnswer()
{
#if defined(Q_OS_LINUX)
    // A connection of its own, closed again: where the answer stays no, the window keeps no socket to
    // the system bus, and a bus that was not there is tried again next time.
    const QString name = QStringLiteral("network-state");
    bool runs = false;
    {
        const QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SystemBus, name);
        if (bus.isConnected()) {
            QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                              QStringLiteral("/org/freedesktop/DBus"),
                                                              QStringLiteral("org.freedesktop.DBus"),
                                                              QStringLiteral("NameHasOwner"));
            ask << QStringLiteral("org.freedesktop.NetworkManager");
            const QDBusMessage answer = bus.call(ask, QDBus::Block, 1000);
            runs = answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
                   answer.arguments().constFirst().toBool();
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return runs;
#else
    return true;
#endif
}

// Qt's instance is one for the process, and so is the attempt to load it.
bool backendTried = false;

QNetworkInformation* information(QNetworkInformation::Feature feature)
{
    // On first use rather than at start-up: the first background check comes well after the window.
    if (!backendTried && backendCanAnswer()) {
        backendTried = true;
        QNetworkInformation::loadDefaultBackend();
    }
    QNetworkInformation* info = QNetworkInformation::instance();
    return info && info->supports(feature) ? info : nullptr;
}

} // namespace

bool SystemNetworkState::isOffline() const
{
    const QNetworkInformation* info = information(QNetworkInformation::Feature::Reachability);
    return info && info->reachability() == QNetworkInformation::Reachability::Disconnected;
}

bool SystemNetworkState::isMetered() const
{
    const QNetworkInformation* info = information(QNetworkInformation::Feature::Metered);
    return info && info->isMetered();
}

} // namespace zandrel
