// The system's network state on Linux, against a private bus standing in for the system bus: Qt's
// backends, GLib's among them, are loaded only once NetworkManager is there to answer, and without
// an answer the network counts as online and unmetered.

#include "MultiTest.h"
#include "PrivateBus.h"
#include "platform/SystemNetworkState.h"

#include <QDBusConnection>
#include <QFile>
#include <QTest>

using namespace zandrel;
using namespace Qt::StringLiterals;

namespace {

bool backendsMapped()
{
    QFile maps(u"/proc/self/maps"_s);
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/networkinformation/");
}

} // namespace

class TestNetworkState : public QObject {
    Q_OBJECT

    test::PrivateBus bus;

private Q_SLOTS:
    void initTestCase()
    {
        if (!test::PrivateBus::available())
            QSKIP("dbus-daemon is not installed (the test command installs it)");
        QVERIFY(bus.start());
        QVERIFY(!backendsMapped());
    }

    void withoutASystemBusTheNetworkCountsAsOnline()
    {
        const SystemNetworkState network(u"unix:path=/nonexistent/zandrel-test-bus"_s);
        QVERIFY(!network.isOffline());
        QVERIFY(!network.isMetered());
        QVERIFY(!backendsMapped());
    }

    void theBackendsAreLoadedOnlyOnceNetworkManagerRuns()
    {
        const SystemNetworkState network(bus.address());
        QVERIFY(!network.isOffline());
        QVERIFY(!network.isMetered());
        QVERIFY(!backendsMapped());

        // NetworkManager starting after the window is noticed at the next question. This one has no
        // objects, so the backend cannot tell, and the network still counts as online.
        QDBusConnection manager = bus.connect();
        QVERIFY(manager.registerService(u"org.freedesktop.NetworkManager"_s));
        QVERIFY(!network.isOffline());
        QVERIFY(backendsMapped());
        QVERIFY(!network.isMetered());
    }
};

ZANDREL_TEST(TestNetworkState)
#include "tst_network_state.moc"
