// The application in a real Wayland session, under Weston's headless compositor: the window opens on
// the wayland platform, a second launch hands its link to it, and it quits clean, with no Qt warning.

#include "FakeHub.h"
#include "ProcessOutput.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

const QString socketName = u"zandrel-test"_s;

// Qt's messages of these types are what the session must not produce.
QStringList qtComplaints(const QByteArray& standardError)
{
    QStringList complaints;
    for (const QByteArray& line : standardError.split('\n')) {
        if (line.startsWith("warning: ") || line.startsWith("critical: ") || line.startsWith("fatal: "))
            complaints.append(QString::fromUtf8(line));
    }
    return complaints;
}

} // namespace

class TestWaylandSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QString weston = QStandardPaths::findExecutable(u"weston"_s);
        QVERIFY2(!weston.isEmpty(), "weston is in the test packages");
        // The compositor's folder is this test's own (mkdtemp makes it private, as Weston requires).
        QVERIFY(runtime_.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime_.path());
        compositor_.setProcessEnvironment(env);
        compositor_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        compositor_.start(weston,
                          {u"--backend=headless-backend.so"_s,
                           u"--use-pixman"_s,
                           u"--socket="_s + socketName,
                           u"--log="_s + logPath(),
                           u"--logger-scopes=log,proto"_s}); // proto: every request a client makes
        QVERIFY(compositor_.waitForStarted());
        QVERIFY2(QTest::qWaitFor([&] { return QFile::exists(runtime_.filePath(socketName)); }, 20000),
                 "Weston did not open its socket");
    }

    void cleanupTestCase()
    {
        compositor_.terminate();
        compositor_.waitForFinished(10000);
    }

    void opensTakesALinkAndQuitsClean()
    {
        QTemporaryDir home;
        QProcess first;
        start(first, home.path());
        QVERIFY(first.waitForStarted());
        // The window reached the compositor as ours: Weston saw its toplevel's application id.
        QVERIFY2(
            QTest::qWaitFor(
                [&] { return compositorLog().contains("set_app_id(\"com.zandrel.HubDesktop\")"); }, 30000),
            first.readAllStandardError().constData());

        // A browser's link, from a launch the desktop started with an activation token.
        QProcess second;
        start(second, home.path(), {u"zandrel://auth/callback?access_token=unasked"_s}, u"launcher-token"_s);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());
        QVERIFY2(qtComplaints(second.readAllStandardError()).isEmpty(), "the second launch complained");

        QVERIFY(waitForOutput(first, "Sign-in link ignored: no sign-in was started from Zandrel Hub"));

        first.terminate();
        QVERIFY(first.waitForFinished(20000));
        const QByteArray errors = first.readAllStandardError();
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QVERIFY2(first.exitCode() == 0, errors.constData());
        const QStringList complaints = qtComplaints(errors);
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints.join(u'\n')));
        // It took its window down itself rather than leaving it to the compositor.
        QVERIFY(compositorLog().contains("xdg_toplevel@") && compositorLog().contains(".destroy()"));
    }

private:
    QString logPath() const { return runtime_.filePath(u"weston.log"_s); }

    QByteArray compositorLog() const
    {
        QFile log(logPath());
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    void start(QProcess& process,
               const QString& home,
               const QStringList& arguments = {},
               const QString& activationToken = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, home);
        env.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
        // The session's own runtime folder: no session bus or other instance of the user's in it.
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime_.path());
        env.insert(u"WAYLAND_DISPLAY"_s, socketName);
        env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        env.remove(u"DISPLAY"_s);
        env.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
        env.insert(u"QT_MESSAGE_PATTERN"_s, u"%{type}: %{message}"_s);
        env.insert(u"ZANDREL_HUB_PORT"_s, QString::number(FakeHub::refusingPort()));
        // Its unwinder sees through the graphics driver, so the suppressions can name it.
        env.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=1:fast_unwind_on_malloc=0"_s);
        env.insert(u"LSAN_OPTIONS"_s,
                   u"suppressions=%1:print_suppressions=0"_s.arg(QStringLiteral(WAYLAND_LEAKS)));
        if (!activationToken.isEmpty())
            env.insert(u"XDG_ACTIVATION_TOKEN"_s, activationToken);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZANDREL_DESKTOP), arguments);
    }

    QTemporaryDir runtime_;
    QProcess compositor_;
};

QTEST_GUILESS_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
