// The system's network state on Linux, with a private bus as the system bus: Qt's backends, GLib's
// among them, are loaded only once NetworkManager is there to answer, and then its answer counts.

#include "MultiTest.h"
#include "PluginsMapped.h"
#include "PrivateBus.h"
#include "platform/SystemNetworkState.h"

#include <QDBusConnection>
#include <QTest>
#include <QThread>

using namespace zandrel;
using namespace Qt::StringLiterals;

// NetworkManager's manager object, saying the machine has no network.
class FakeNetworkManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager")
    Q_PROPERTY(uint State READ state)
    Q_PROPERTY(uint Connectivity READ connectivity)

public:
    static constexpr uint kDisconnected = 20;
    static constexpr uint kNoConnectivity = 1;
    uint state() const { return kDisconnected; }
    uint connectivity() const { return kNoConnectivity; }
};

class TestNetworkState : public QObject {
    Q_OBJECT

    test::PrivateBus bus;
    // Qt's backend asks NetworkManager with blocking calls from this thread, so it answers from another.
    QThread managerThread;
    FakeNetworkManager manager;

private Q_SLOTS:
    void initTestCase()
    {
        if (!test::PrivateBus::available())
            QSKIP("dbus-daemon is not installed (the test command installs it)");
        QVERIFY(bus.start());
        // Read when the system bus is first asked for, which nothing in this process has done yet.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address().toUtf8());
        QVERIFY(!test::pluginsMapped("networkinformation"));
        manager.moveToThread(&managerThread);
        managerThread.start();
    }
    void cleanupTestCase()
    {
        managerThread.quit();
        managerThread.wait();
    }

    void theBackendsAreLoadedOnlyOnceNetworkManagerRunsAndThenItsAnswerCounts()
    {
        const SystemNetworkState network;
        QVERIFY(!network.isOffline());
        QVERIFY(!network.isMetered());
        QVERIFY(!test::pluginsMapped("networkinformation"));

        // NetworkManager starting after the window is noticed at the next question.
        QDBusConnection service = bus.connect();
        QVERIFY(service.registerObject(
            u"/org/freedesktop/NetworkManager"_s, &manager, QDBusConnection::ExportAllProperties));
        QVERIFY(service.registerService(u"org.freedesktop.NetworkManager"_s));
        QVERIFY(network.isOffline());
        QVERIFY(test::pluginsMapped("networkinformation"));
        QVERIFY(!network.isMetered());
    }
};

ZANDREL_TEST(TestNetworkState)
#include "tst_network_state.moc"
