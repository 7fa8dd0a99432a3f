// The application entry: the first section from the token file, links through the application, and
// the single instance: a second launch hands its links to the running one and exits at once.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "ProcessOutput.h"
#include "RecordingPlatform.h"
#include "app/ContentView.h"
#include "app/SingleInstance.h"
#include "app/ZandrelHubApp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileOpenEvent>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

// Starts the real application with its own home, aimed at a port where no Hub answers unless one is
// given (a Hub running on this machine must not change what the test sees).
void startDesktop(QProcess& process, const QString& home, const QStringList& arguments = {}, int port = 0)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, home);
    env.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s); // the window's preferences stay in there
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"ZANDREL_HUB_PORT"_s, QString::number(port ? port : FakeHub::refusingPort()));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ZANDREL_DESKTOP), arguments);
}

// What a crashed instance leaves behind: the socket file, with nobody listening on it.
bool leaveDeadSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), name.size());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFileInfo::exists(path);
}

// A window aimed at a port where nothing answers, keeping its preferences in the test's home.
LaunchOptions quietOptions(const QTemporaryDir& home)
{
    return LaunchOptions{
        .hubPort = FakeHub::refusingPort(), .links = {}, .preferencesFile = home.filePath(u"desktop.ini"_s)};
}

bool instanceAnswers(const QString& home)
{
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::serverName(home));
    return socket.waitForConnected(200);
}

} // namespace

class TestAppEntry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Preferences written by the window stay out of the user's config folder.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void opensOnMyAppsOnlyWithATokenFile()
    {
        QTemporaryDir home;
        RecordingPlatform platform(home.path());
        LaunchOptions options;
        options.preferencesFile = home.filePath(u"desktop.ini"_s);
        {
            ZandrelHubApp app(
                platform, [](const QString&) {}, options);
            QCOMPARE(app.initialTab(), SidebarItem::section(SidebarItem::Kind::Account));
            QCOMPARE(app.hubState().port(), 3456);
            QVERIFY(!app.storeService().isLoggedIn() && !app.storeService().authToken());
            QCOMPARE(app.storeService().hubUrl(), u"http://127.0.0.1:3456"_s);
        }
        QVERIFY(QDir().mkpath(home.filePath(u".zandrel"_s)));
        QVERIFY(
            QFile(platform.tokenFilePath()).open(QIODevice::WriteOnly)); // empty: only its existence counts
        ZandrelHubApp app(
            platform, [](const QString&) {}, options);
        QCOMPARE(app.initialTab(), SidebarItem::section(SidebarItem::Kind::MyApps));
        app.hubState().setPort(0); // nothing to probe: the start-up may finish at once
        QSignalSpy started(&app.window(), &ContentView::startUpFinished);
        app.show();
        QTRY_COMPARE(started.count(), 1);
        QCOMPARE(app.window().selection(), SidebarItem::section(SidebarItem::Kind::MyApps));
    }

    void linksReachTheRouterAndLeaveTheSelection()
    {
        QTemporaryDir home;
        RecordingPlatform platform(home.path());
        ZandrelHubApp app(
            platform, [](const QString&) {}, quietOptions(home));
        app.window().setSelection(SidebarItem::section(SidebarItem::Kind::Settings));
        app.pendingSignIn().start();
        QCOMPARE(app.handleUrl(u"zandrel://auth/callback?access_token=t"_s), ZandrelLink::Kind::SignIn);
        QCOMPARE(app.storeService().authToken(), u"t"_s);
        QVERIFY(QFileInfo::exists(platform.tokenFilePath()));
        QCOMPARE(app.window().selection(), SidebarItem::section(SidebarItem::Kind::Settings));

        // The way macOS delivers them.
        app.pendingSignIn().start();
        QFileOpenEvent open(QUrl(u"zandrel://auth/callback?access_token=u"_s));
        QCoreApplication::sendEvent(qApp, &open);
        QCOMPARE(app.storeService().authToken(), u"u"_s);
    }

    void secondLaunchHandsItsLinksToTheFirst()
    {
        QTemporaryDir home;
        QProcess first;
        startDesktop(first, home.path());
        QVERIFY(first.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return instanceAnswers(home.path()); }, 20000));

        QProcess second;
        QElapsedTimer clock;
        clock.start();
        startDesktop(second,
                     home.path(),
                     {u"zandrel://auth/callback?access_token=handed.over&refresh_token=r"_s,
                      u"zandrel://install/bad%20slug"_s});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));

        // The first instance heard both. Nobody pressed a sign-in button there, so the callback is
        // ignored with its line and no token file; the install link only opens the app's page.
        QVERIFY(waitForOutput(first, "Sign-in link ignored: no sign-in was started from Zandrel Hub"));
        QVERIFY(!QFileInfo::exists(home.filePath(u".zandrel/auth.json"_s)));
        QVERIFY(first.state() == QProcess::Running);

        // It shuts down cleanly when asked, and gives up its socket.
        first.terminate();
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
        QVERIFY(!instanceAnswers(home.path()));
    }

    void simultaneousLaunchesLeaveOneInstanceWithEveryLink()
    {
        // Each round starts two launches at once; the race is real only some of the time, so a few.
        // The survivor opens the store page of each link in turn: the Hub is asked for both apps.
        FakeHub fake;
        for (int round = 0; round < 3; ++round) {
            QTemporaryDir home;
            QProcess a;
            QProcess b;
            const QByteArray one = "/api/store/apps/one-" + QByteArray::number(round);
            const QByteArray two = "/api/store/apps/two-" + QByteArray::number(round);
            startDesktop(a, home.path(), {u"zandrel://install/one-%1"_s.arg(round)}, fake.port());
            startDesktop(b, home.path(), {u"zandrel://install/two-%1"_s.arg(round)}, fake.port());
            QVERIFY(a.waitForStarted() && b.waitForStarted());

            // One of them hands its link over and exits; the other stays and acts on both links.
            QVERIFY(QTest::qWaitFor(
                [&] { return a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning; },
                30000));
            QProcess& loser = a.state() == QProcess::NotRunning ? a : b;
            QProcess& winner = &loser == &a ? b : a;
            QCOMPARE(loser.exitStatus(), QProcess::NormalExit);
            QCOMPARE(loser.exitCode(), 0);
            QVERIFY(QTest::qWaitFor(
                [&] {
                    return !fake.requestsTo("GET", one).isEmpty() && !fake.requestsTo("GET", two).isEmpty();
                },
                20000));
            // Nothing was installed without the user.
            QVERIFY(fake.requestsTo("POST", one + "/install").isEmpty() &&
                    fake.requestsTo("POST", two + "/install").isEmpty());
            QCOMPARE(winner.state(), QProcess::Running);
            winner.terminate();
            QVERIFY(winner.waitForFinished(20000));
        }
    }

    void instancesAreScopedByHome()
    {
        QTemporaryDir one;
        QTemporaryDir two;
        QVERIFY(SingleInstance::serverName(one.path()) != SingleInstance::serverName(two.path()));
        QCOMPARE(SingleInstance::serverName(one.path()), SingleInstance::serverName(one.path() + u'/'));

        // A socket left behind by an instance that died is taken over, not mistaken for a live one.
        QVERIFY(leaveDeadSocket(SingleInstance::serverName(one.path())));
        QVERIFY(!SingleInstance(one.path()).forwardToRunningInstance({}));
        SingleInstance running(one.path());
        QCOMPARE(running.claim({}), SingleInstance::Role::Primary);
        QSignalSpy received(&running, &SingleInstance::linksReceived);
        QCOMPARE(SingleInstance(one.path()).claim({u"zandrel://install/a"_s, u"x\ny"_s}),
                 SingleInstance::Role::Forwarded);
        QVERIFY(received.wait());
        QCOMPARE(received.first().first().toStringList(), QStringList{u"zandrel://install/a"_s});
        QCOMPARE(received.first().last().toString(), QString());
        QVERIFY(!SingleInstance(two.path()).forwardToRunningInstance({}));
    }

    void withoutARuntimeFolderOfItsOwnEachLaunchIsAlone()
    {
        // Qt's own runtime folder under the temporary one, taken by another user: Qt gives none, and no
        // shared folder must stand in for it.
        QTemporaryDir home;
        const QByteArray keptRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray keptTemp = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] {
            for (const auto& [name, value] :
                 {std::pair("XDG_RUNTIME_DIR", keptRuntime), {"TMPDIR", keptTemp}})
                value.isNull() ? qunsetenv(name) : qputenv(name, value);
        });
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", home.path().toUtf8());
        const QString made = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QVERIFY(made.startsWith(home.path()));
        if (::chown(QFile::encodeName(made).constData(), 65534, 65534) != 0)
            QSKIP("needs to hand a folder to another user (run as root)");
        const QString name = SingleInstance::serverName(home.path());
        QVERIFY2(name.isEmpty(), qPrintable(name));
        QCOMPARE(SingleInstance(home.path()).claim({u"zandrel://install/a"_s}), SingleInstance::Role::Alone);
    }

    void theLaunchTokenTravelsWithTheLinks()
    {
        QTemporaryDir home;
        SingleInstance running(home.path());
        QCOMPARE(running.claim({}), SingleInstance::Role::Primary);
        QSignalSpy received(&running, &SingleInstance::linksReceived);
        QVERIFY(
            SingleInstance(home.path()).forwardToRunningInstance({u"zandrel://install/a"_s}, u"tok_1.x"_s));
        QVERIFY(received.wait());
        QCOMPARE(received.last().first().toStringList(), QStringList{u"zandrel://install/a"_s});
        QCOMPARE(received.last().last().toString(), u"tok_1.x"_s);

        // A token with a space or a control character is not one; an argument that looks like the
        // token's line is not taken for it.
        QVERIFY(
            SingleInstance(home.path()).forwardToRunningInstance({u"activation-token forged"_s}, u"a b"_s));
        QVERIFY(received.wait());
        QCOMPARE(received.last().first().toStringList(), QStringList());
        QCOMPARE(received.last().last().toString(), QString());

        // The window comes forward with it.
        RecordingPlatform platform(home.path());
        ZandrelHubApp app(
            platform, [](const QString&) {}, quietOptions(home));
        app.receiveLinks({}, u"tok_2"_s);
        QCOMPARE(platform.activationTokens, QStringList{u"tok_2"_s});
    }
};

QTEST_MAIN(TestAppEntry)
#include "tst_app_entry.moc"
