// Notices through the desktop's notification service, against a fake service on a private bus that
// the test starts: what is sent, how notices replace and close each other, which clicks count, and
// the fallback where no service answers.

#include "MultiTest.h"
#include "PrivateBus.h"
#include "platform/DBusNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

using namespace zandrel;
using namespace Qt::StringLiterals;

namespace {

const QString kService = u"org.freedesktop.Notifications"_s;
const QString kPath = u"/org/freedesktop/Notifications"_s;
using Kind = Notifier::Kind;

Notifier::Notice updatesNotice(const QString& body = u"Orvane can be updated"_s)
{
    return {.title = u"Updates available"_s,
            .body = body,
            .actions = {{u"default"_s, u"Show Updates"_s}, {u"update-all"_s, u"Update All"_s}},
            .failure = false};
}

} // namespace

// The service's side: records each call, answers with ids of its own.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString application;
        uint replaces = 0;
        QString icon;
        QString title;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Call> calls;
    QList<uint> closed;
    QStringList capabilities{u"actions"_s, u"body"_s};
    uint nextId = 100;

public Q_SLOTS:
    uint Notify(const QString& application,
                uint replaces,
                const QString& icon,
                const QString& title,
                const QString& body,
                const QStringList& actions,
                const QVariantMap& hints,
                int)
    {
        calls.append({application, replaces, icon, title, body, actions, hints});
        return replaces != 0 ? replaces : nextId++;
    }
    void CloseNotification(uint id) { closed.append(id); }
    QStringList GetCapabilities() { return capabilities; }
};

class TestDBusNotifier : public QObject {
    Q_OBJECT

    test::PrivateBus bus;
    std::unique_ptr<FakeNotifications> fake;
    std::optional<QDBusConnection> serviceBus;

    QDBusConnection connect() { return bus.connect(); }
    void emitFrom(QDBusConnection& bus, const QString& name, const QVariantList& arguments)
    {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kService, name);
        signal.setArguments(arguments);
        QVERIFY(bus.send(signal));
    }
    std::unique_ptr<DBusNotifier> makeNotifier()
    {
        return std::make_unique<DBusNotifier>(connect(), u"Zandrel Hub"_s, u"com.zandrel.HubDesktop"_s);
    }
    // A call that waits on the event loop: the service answers on this thread, so a blocking call
    // would wait for itself.
    static QDBusMessage roundTrip(QDBusConnection& bus, const QDBusMessage& message)
    {
        QDBusPendingCall pending = bus.asyncCall(message);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 5000))
            return {};
        return pending.reply();
    }
    // Everything sent before it has reached the service, and its answers have come back.
    void settle()
    {
        QDBusConnection probe = connect();
        roundTrip(probe, QDBusMessage::createMethodCall(kService, kPath, kService, u"GetCapabilities"_s));
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!test::PrivateBus::available())
            QSKIP("dbus-daemon is not installed (the test command installs it)");
        QVERIFY(bus.start());
    }
    void init()
    {
        fake = std::make_unique<FakeNotifications>();
        serviceBus = connect();
        QVERIFY(serviceBus->registerObject(kPath, fake.get(), QDBusConnection::ExportAllSlots));
        QVERIFY(serviceBus->registerService(kService));
    }
    void cleanup()
    {
        serviceBus->unregisterService(kService);
        serviceBus->unregisterObject(kPath);
        QDBusConnection::disconnectFromBus(serviceBus->name());
        serviceBus.reset();
        fake.reset();
    }

    void aNoticeCarriesTheEntryAndActionsAndIsReplacedThenClosedById()
    {
        auto notifier = makeNotifier();
        notifier->show(Kind::Updates, updatesNotice());
        QTRY_COMPARE(fake->calls.size(), 1);
        const FakeNotifications::Call first = fake->calls.first();
        QCOMPARE(first.application, u"Zandrel Hub"_s);
        QCOMPARE(first.replaces, 0u);
        QCOMPARE(first.icon, u"com.zandrel.HubDesktop"_s);
        QCOMPARE(first.title, u"Updates available"_s);
        QCOMPARE(first.body, u"Orvane can be updated"_s);
        QCOMPARE(first.actions,
                 QStringList({u"default"_s, u"Show Updates"_s, u"update-all"_s, u"Update All"_s}));
        QCOMPARE(first.hints.value(u"desktop-entry"_s).toString(), u"com.zandrel.HubDesktop"_s);
        QTRY_COMPARE(notifier->idOf(Kind::Updates), 100u);

        // A new set replaces it by its id; another kind is a notice of its own.
        notifier->show(Kind::Updates, updatesNotice(u"Orvane and Dulvet can be updated"_s));
        notifier->show(Kind::LinkInstall,
                       {.title = u"An app waits"_s, .body = u"b"_s, .actions = {}, .failure = false});
        QTRY_COMPARE(fake->calls.size(), 3);
        QCOMPARE(fake->calls.at(1).replaces, 100u);
        QCOMPARE(fake->calls.at(2).replaces, 0u);
        QTRY_COMPARE(notifier->idOf(Kind::LinkInstall), 101u);

        notifier->withdraw(Kind::Updates);
        QTRY_COMPARE(fake->closed, QList<uint>{100u});
        QCOMPARE(notifier->idOf(Kind::Updates), 0u);
        notifier->withdraw(Kind::Updates);
        notifier.reset();
        // Going away takes the rest off the desktop.
        QTRY_COMPARE(fake->closed, QList<uint>({100u, 101u}));
    }

    void aBurstSendsTheLatestAndAWithdrawalInFlightStillCloses()
    {
        auto notifier = makeNotifier();
        // Before the service has said what it can show: only the latest goes out.
        for (int i = 1; i <= 5; ++i)
            notifier->show(Kind::Updates, updatesNotice(u"burst %1"_s.arg(i)));
        QTRY_COMPARE(fake->calls.size(), 1);
        QCOMPARE(fake->calls.first().body, u"burst 5"_s);
        QTRY_COMPARE(notifier->idOf(Kind::Updates), 100u);
        // While one call is out, another waits for its id, then replaces it.
        notifier->show(Kind::Updates, updatesNotice(u"next"_s));
        notifier->show(Kind::Updates, updatesNotice(u"last"_s));
        QTRY_COMPARE(fake->calls.size(), 3);
        QCOMPARE(fake->calls.at(2).body, u"last"_s);
        QCOMPARE(fake->calls.at(2).replaces, 100u);
        settle();
        QCOMPARE(fake->calls.size(), 3);
        // Withdrawn before its answer came: closed once the id is known.
        notifier->withdraw(Kind::Updates);
        notifier->show(Kind::Install, {.title = u"t"_s, .body = u"b"_s, .actions = {}, .failure = false});
        notifier->withdraw(Kind::Install);
        QTRY_VERIFY(fake->closed.contains(100u));
        QTRY_COMPARE(fake->calls.size(), 4);
        QTRY_VERIFY(fake->closed.contains(101u));
        QCOMPARE(notifier->idOf(Kind::Install), 0u);
    }

    void withoutActionsOnlyTheClickRemainsAndMarkupIsEscaped()
    {
        fake->capabilities = {u"body"_s, u"body-markup"_s};
        auto notifier = makeNotifier();
        notifier->show(Kind::Updates, updatesNotice(u"<b>A & B</b>"_s));
        QTRY_COMPARE(fake->calls.size(), 1);
        QCOMPARE(fake->calls.first().actions, QStringList({u"default"_s, u"Show Updates"_s}));
        QCOMPARE(fake->calls.first().body, u"&lt;b&gt;A &amp; B&lt;/b&gt;"_s);
    }

    void onlyClicksOnItsOwnIdsFromTheServiceCount()
    {
        auto notifier = makeNotifier();
        QSignalSpy activated(notifier.get(), &Notifier::activated);
        notifier->show(Kind::Updates, updatesNotice());
        QTRY_COMPARE(notifier->idOf(Kind::Updates), 100u);
        // Another application's notice, and its click.
        QDBusConnection other = connect();
        QDBusMessage foreign = QDBusMessage::createMethodCall(kService, kPath, kService, u"Notify"_s);
        foreign << u"Other"_s << 0u << QString() << u"t"_s << u"b"_s << QStringList() << QVariantMap() << -1;
        QCOMPARE(roundTrip(other, foreign).arguments().value(0).toUInt(), 101u);
        emitFrom(*serviceBus, u"ActionInvoked"_s, {101u, u"default"_s});
        // A client that is not the service claims a click on this application's id.
        emitFrom(other, u"ActionInvoked"_s, {100u, u"update-all"_s});
        emitFrom(other, u"ActivationToken"_s, {100u, u"planted"_s});
        settle();
        QCOMPARE(activated.size(), 0);

        // The service's own: the token that came first travels with the click; one that is not a
        // plain token is dropped.
        emitFrom(*serviceBus, u"ActivationToken"_s, {100u, u"wayland-token-1"_s});
        emitFrom(*serviceBus, u"ActionInvoked"_s, {100u, u"update-all"_s});
        QTRY_COMPARE(activated.size(), 1);
        QCOMPARE(activated.first().at(0).value<Kind>(), Kind::Updates);
        QCOMPARE(activated.first().at(1).toString(), u"update-all"_s);
        QCOMPARE(activated.first().at(2).toString(), u"wayland-token-1"_s);
        emitFrom(*serviceBus, u"ActivationToken"_s, {100u, u"bad\ntoken"_s});
        emitFrom(*serviceBus, u"ActionInvoked"_s, {100u, u"default"_s});
        QTRY_COMPARE(activated.size(), 2);
        QCOMPARE(activated.last().at(2).toString(), QString());

        // Closed by the user: forgotten, so a later click on that id means nothing and the next
        // notice is a new one.
        emitFrom(*serviceBus, u"NotificationClosed"_s, {100u, 2u});
        QTRY_COMPARE(notifier->idOf(Kind::Updates), 0u);
        emitFrom(*serviceBus, u"ActionInvoked"_s, {100u, u"default"_s});
        notifier->show(Kind::Updates, updatesNotice());
        QTRY_COMPARE(fake->calls.size(), 2);
        QCOMPARE(fake->calls.last().replaces, 0u);
        QCOMPARE(activated.size(), 2);
    }

    void withoutAServiceTheFallbackShowsAndWithoutOneNothing()
    {
        serviceBus->unregisterService(kService);
        auto notifier = makeNotifier();
        QList<std::pair<Kind, QString>> fallen;
        bool trayThere = true;
        notifier->setFallback([&](Kind kind, const Notifier::Notice& notice) {
            fallen.append({kind, notice.title});
            return trayThere;
        });
        notifier->show(Kind::Updates, updatesNotice());
        QTRY_COMPARE(fallen.size(), 1);
        QCOMPARE(fallen.first(), std::pair(Kind::Updates, u"Updates available"_s));
        // No tray either: the notice is dropped, and the next one tries the bus again.
        trayThere = false;
        notifier->show(Kind::LinkInstall,
                       {.title = u"Link"_s, .body = u"b"_s, .actions = {}, .failure = false});
        QTRY_COMPARE(fallen.size(), 2);
        QVERIFY(serviceBus->registerService(kService));
        notifier->show(Kind::Updates, updatesNotice());
        QTRY_COMPARE(fake->calls.size(), 1);
        QCOMPARE(fallen.size(), 2);
        // A bus that is not there at all behaves the same.
        DBusNotifier nowhere(QDBusConnection::connectToBus(u"unix:path=/nonexistent/bus"_s, u"nowhere"_s),
                             u"Zandrel Hub"_s,
                             u"com.zandrel.HubDesktop"_s);
        nowhere.setFallback([&](Kind kind, const Notifier::Notice& notice) {
            fallen.append({kind, notice.title});
            return true;
        });
        nowhere.show(Kind::Install,
                     {.title = u"Installed"_s, .body = u"b"_s, .actions = {}, .failure = false});
        QTRY_COMPARE(fallen.size(), 3);
    }
};

ZANDREL_TEST(TestDBusNotifier)
#include "tst_dbus_notifier.moc"
