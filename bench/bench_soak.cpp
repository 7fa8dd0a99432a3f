// A long run: the real window against the reference Hub, driven through its sections as a user
// would, My Apps, Browse, Updates, Account, Settings, then Refresh (F5), one step every interval.
// At intervals it prints the resident memory and the live QObjects under the application object
// and its windows (a steadier signal than memory); at the end, what the warm-up cost and what the
// cycles after it added. Budgets: after 100 warm-up cycles, 300 more grow memory by at most
// 256 KiB and the live objects by none; the warm-up costs at most 4 MB.
//
//   bench_soak [cycles after the warm-up = 300] [interval ms = 120] [warm-up cycles = 100]
//   BENCH_SOAK_SECTIONS=store,updates bench_soak ...   only those sections, then Refresh
//   BENCH_SOAK_NO_TEARDOWN=1 heaptrack bench_soak ...  ends without freeing, so all that is held counts
//                                                      as leaked; compare two run lengths (heaptrack_print -d)

#include "BenchSupport.h"
#include "app/LaunchOptions.h"
#include "app/LinkRouter.h"
#include "app/MainWindow.h"
#include "app/ZandrelHubApp.h"
#include "platform/QtPlatform.h"
#include "wire/HttpExchange.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace zandrel;
using namespace zandrel::bench;

namespace {

// A real event loop, as the application runs in: only one deletes what deleteLater left.
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int freePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

// Every QObject under the application object, under each window without a parent, and under the
// network manager the exchanges share (its replies).
qsizetype liveObjects()
{
    qsizetype count = 1 + qApp->findChildren<QObject*>().size();
    count += 1 + HttpExchange::networkManager().findChildren<QObject*>().size();
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->parent())
            count += 1 + widget->findChildren<QObject*>().size();
    }
    return count;
}

// How many live objects of each class, for finding what grows.
QMap<QByteArray, int> liveClasses()
{
    QMap<QByteArray, int> classes;
    const auto add = [&](const QObject* object) { ++classes[object->metaObject()->className()]; };
    for (const QObject* object : qApp->findChildren<QObject*>())
        add(object);
    for (const QObject* object : HttpExchange::networkManager().findChildren<QObject*>())
        add(object);
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->parent())
            continue;
        add(widget);
        for (const QObject* object : widget->findChildren<QObject*>())
            add(object);
    }
    return classes;
}

} // namespace

int main(int argc, char* argv[])
{
    // The application's home, its config and the Hub's, all in one folder of the run's own.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    QApplication application(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 300;
    const int interval = argc > 2 ? std::atoi(argv[2]) : 120;
    const int warmUp = argc > 3 ? std::atoi(argv[3]) : 100;

    const int port = freePort();
    QProcess hubProcess;
    hubProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    hubProcess.start(
        QStringLiteral(ZANDREL_BINARY),
        {QStringLiteral("hub"), QStringLiteral("serve"), QStringLiteral("--port"), QString::number(port)});
    QElapsedTimer clock;
    clock.start();
    bool up = false;
    while (!up && clock.elapsed() < 20000) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(port));
        up = probe.waitForConnected(200);
        if (!up)
            spin(100);
    }
    if (!up) {
        std::fprintf(stderr, "the reference Hub did not start\n");
        return 1;
    }

    QtPlatform platform;
    ZandrelHubApp::setUpLook(application);
    LaunchOptions options;
    options.hubPort = port;
    options.storeWebsite = QStringLiteral("http://127.0.0.1:1");
    options.preferencesFile = home.filePath(QStringLiteral("desktop.ini"));
    ZandrelHubApp hub(
        platform, [](const QString&) {}, options);
    hub.show();
    spin(1000);

    using Kind = SidebarItem::Kind;
    // BENCH_SOAK_SECTIONS narrows the cycle to some sections ("store,updates"), to find what grows.
    const QStringList only = qEnvironmentVariable("BENCH_SOAK_SECTIONS").split(u',', Qt::SkipEmptyParts);
    QList<Kind> sections;
    for (const auto& [name, kind] : {std::pair{"myapps", Kind::MyApps},
                                     std::pair{"store", Kind::Store},
                                     std::pair{"updates", Kind::Updates},
                                     std::pair{"account", Kind::Account},
                                     std::pair{"settings", Kind::Settings}}) {
        if (only.isEmpty() || only.contains(QLatin1String(name)))
            sections.append(kind);
    }
    QAction* refresh = hub.mainWindow().findChild<QAction*>(QStringLiteral("refreshAction"));
    const auto cycle = [&] {
        for (const Kind kind : sections) {
            hub.mainWindow().goTo(SidebarItem::section(kind));
            spin(interval);
        }
        refresh->trigger();
        spin(interval);
    };

    // BENCH_SOAK_SMAPS=prefix keeps the process's mappings at the start, after the warm-up and at the end, to see
    // which mapping grew when resident memory grows and the heap does not.
    const QString smaps = qEnvironmentVariable("BENCH_SOAK_SMAPS");
    const auto keepMappings = [&](const char* when) {
        QFile from(QStringLiteral("/proc/self/smaps"));
        QFile to(smaps + QLatin1Char('.') + QLatin1String(when));
        if (!smaps.isEmpty() && from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly))
            to.write(from.readAll());
    };
    keepMappings("start");
    const long startRss = rssKiB();
    const qsizetype startObjects = liveObjects();
    std::printf("start: %ld KiB, %lld objects\n", startRss, static_cast<long long>(startObjects));
    for (int i = 1; i <= warmUp; ++i) {
        cycle();
        if (i % 25 == 0)
            std::printf("warm-up cycle %d: %ld KiB, %lld objects\n",
                        i,
                        rssKiB(),
                        static_cast<long long>(liveObjects()));
        std::fflush(stdout);
    }
    keepMappings("warm");
    const long warmRss = rssKiB();
    const long warmHeap = heapInUseKiB();
    const qsizetype warmObjects = liveObjects();
    const QMap<QByteArray, int> warmClasses = liveClasses();
    for (int i = 1; i <= cycles; ++i) {
        cycle();
        if (i % (cycles < 100 ? 10 : 50) == 0 || i == cycles)
            std::printf("cycle %d: %ld KiB, %lld objects, heap in use %ld KiB\n",
                        warmUp + i,
                        rssKiB(),
                        static_cast<long long>(liveObjects()),
                        heapInUseKiB());
        std::fflush(stdout);
    }
    const long endRss = rssKiB();
    keepMappings("end");
    std::printf("heap in use after the warm-up %ld KiB, at the end %ld KiB\n", warmHeap, heapInUseKiB());
    const qsizetype endObjects = liveObjects();
    std::printf("warm-up of %d cycles: %+ld KiB (budget 4096)\n", warmUp, warmRss - startRss);
    std::printf("%d cycles after it: %+ld KiB (budget 256), %+lld objects (budget 0)\n",
                cycles,
                endRss - warmRss,
                static_cast<long long>(endObjects - warmObjects));
    // The classes that grew most, when there are any: where to look first.
    const QMap<QByteArray, int> endClasses = liveClasses();
    QList<std::pair<int, QByteArray>> grown;
    for (auto it = endClasses.cbegin(); it != endClasses.cend(); ++it) {
        if (const int more = it.value() - warmClasses.value(it.key()); more > 0)
            grown.append({more, it.key()});
    }
    std::sort(grown.begin(), grown.end(), std::greater<>());
    for (qsizetype i = 0; i < std::min<qsizetype>(grown.size(), 10); ++i)
        std::printf("  %+d %s\n", grown[i].first, grown[i].second.constData());
    hubProcess.terminate();
    hubProcess.waitForFinished(5000);
    // For heaptrack: what is still held at the end shows as leaked, and the difference between a
    // short and a long run is what grows.
    if (qEnvironmentVariableIsSet("BENCH_SOAK_NO_TEARDOWN")) {
        std::fflush(stdout);
        std::_Exit(0);
    }
    return 0;
}
