// The application entry: the first section from the token file, links through the application, and
// the single instance: a second launch hands its links to the running one and exits at once.

#include "AsyncTest.h"
#include "RecordingPlatform.h"
#include "app/SingleInstance.h"
#include "app/ZandrelHubApp.h"
#include "installed/ContentView.h"
#include "installed/PlaceholderPage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileOpenEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;

namespace {

QProcessEnvironment environmentFor(const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
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
    void opensOnMyAppsOnlyWithATokenFile()
    {
        QTemporaryDir home;
        RecordingPlatform platform(home.path());
        {
            ZandrelHubApp app(platform, [](const QString&) {});
            QCOMPARE(app.initialTab(), SidebarItem::section(SidebarItem::Kind::Account));
            QCOMPARE(app.hubState().port(), 3456);
            QVERIFY(!app.storeService().isLoggedIn() && !app.storeService().authToken());
            QCOMPARE(app.storeService().hubUrl(), QStringLiteral("http://127.0.0.1:3456"));
        }
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral(".zandrel"))));
        QFile token(platform.tokenFilePath());
        QVERIFY(token.open(QIODevice::WriteOnly)); // empty: only its existence counts
        token.close();
        ZandrelHubApp app(platform, [](const QString&) {});
        QCOMPARE(app.initialTab(), SidebarItem::section(SidebarItem::Kind::MyApps));
        app.hubState().setPort(0); // nothing to probe
        QSignalSpy started(&app.window(), &ContentView::startUpFinished);
        app.show();
        QVERIFY(started.wait());
        QCOMPARE(app.window().selection(), SidebarItem::section(SidebarItem::Kind::MyApps));
    }

    void linksReachTheRouterAndLeaveTheSelection()
    {
        QTemporaryDir home;
        RecordingPlatform platform(home.path());
        ZandrelHubApp app(
            platform, [](const QString&) {}, QStringLiteral("http://127.0.0.1:1"));
        app.window().setSelection(SidebarItem::section(SidebarItem::Kind::Settings));
        QCOMPARE(app.handleUrl(QStringLiteral("zandrel://auth/callback?access_token=t")),
                 ZandrelLink::Kind::SignIn);
        QCOMPARE(app.storeService().authToken(), QStringLiteral("t"));
        QVERIFY(QFileInfo::exists(platform.tokenFilePath()));
        QCOMPARE(app.window().selection(), SidebarItem::section(SidebarItem::Kind::Settings));

        // The way macOS delivers them.
        QFileOpenEvent open(QUrl(QStringLiteral("zandrel://auth/callback?access_token=u")));
        QCoreApplication::sendEvent(qApp, &open);
        QCOMPARE(app.storeService().authToken(), QStringLiteral("u"));
    }

    void secondLaunchHandsItsLinksToTheFirst()
    {
        QTemporaryDir home;
        QProcess first;
        first.setProcessEnvironment(environmentFor(home.path()));
        first.start(QStringLiteral(ZANDREL_DESKTOP), {});
        QVERIFY(first.waitForStarted());
        QVERIFY(spinUntil([&] { return instanceAnswers(home.path()); }, 20000));

        QProcess second;
        second.setProcessEnvironment(environmentFor(home.path()));
        QElapsedTimer clock;
        clock.start();
        second.start(QStringLiteral(ZANDREL_DESKTOP),
                     {QStringLiteral("zandrel://auth/callback?access_token=handed%20over&refresh_token=r"),
                      QStringLiteral("zandrel://install/bad%20slug")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));

        // The first instance acted on both: the token file, and the failure line on its own output.
        const QString tokenFile = home.filePath(QStringLiteral(".zandrel/auth.json"));
        QVERIFY(spinUntil([&] { return QFileInfo::exists(tokenFile); }));
        QFile file(tokenFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(
            QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("access_token")).toString(),
            QStringLiteral("handed over"));
        QVERIFY(spinUntil(
            [&] { return first.readAllStandardOutput().contains("Install from URL failed: \"bad slug\""); }));
        QVERIFY(first.state() == QProcess::Running);

        // It shuts down cleanly when asked, and gives up its socket.
        first.terminate();
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(!instanceAnswers(home.path()));
    }

    void instancesAreScopedByHome()
    {
        QTemporaryDir one;
        QTemporaryDir two;
        QVERIFY(SingleInstance::serverName(one.path()) != SingleInstance::serverName(two.path()));
        QCOMPARE(SingleInstance::serverName(one.path()), SingleInstance::serverName(one.path() + u'/'));

        // A socket left behind by an instance that died is taken over, not mistaken for a live one.
        SingleInstance stale(one.path());
        QVERIFY(!stale.forwardToRunningInstance({}));
        SingleInstance running(one.path());
        QVERIFY(running.listen());
        QSignalSpy received(&running, &SingleInstance::linksReceived);
        SingleInstance later(one.path());
        QVERIFY(
            later.forwardToRunningInstance({QStringLiteral("zandrel://install/a"), QStringLiteral("x\ny")}));
        QVERIFY(received.wait());
        QCOMPARE(received.first().first().toStringList(), QStringList{QStringLiteral("zandrel://install/a")});
        SingleInstance elsewhere(two.path());
        QVERIFY(!elsewhere.forwardToRunningInstance({}));
    }
};

QTEST_MAIN(TestAppEntry)
#include "tst_app_entry.moc"
