// The Hub Log window on a large and a busy log, side by side with `tail` in one run:
//   - opening a 1 GiB log until its last lines are laid out, against `tail -n 20000` of the same
//     file (medians of 11 runs each; budget 2.00×);
//   - the longest stall of the UI thread while 5,000 lines a second are appended for 10 seconds
//     (budget 16 ms);
//   - what the window costs with 20,000 lines more than with an empty log, each in its own process
//     (medians of 3; budget 15 MB).
//
//   bench_log_tail             runs all three and prints the figures
//   bench_log_tail open|stall  runs only that one
//   bench_log_tail memory N    prints the KiB a window with an N-line log takes (a child run)
//   BENCH_WRAP=1 bench_log_tail stall  the appends with wrapped lines

#include "BenchSupport.h"
#include "RecordingPlatform.h"
#include "hub_log/HubLogWindow.h"
#include "preferences/Preferences.h"
#include "ui/SymbolTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace zandrel;
using namespace zandrel::bench;
using namespace zandrel::test;

namespace {

QByteArray requestLines(int count, int seed = 0)
{
    static const char* const paths[] = {
        "/api", "/api/apps", "/api/store/apps", "/api/store/apps/orvane/install", "/api/audit?limit=100"};
    QByteArray lines;
    lines.reserve(count * 48);
    for (int i = 0; i < count; ++i) {
        const int n = i + seed;
        lines += (n % 9 ? "GET " : "POST ");
        lines += paths[n % 5];
        lines += n % 17 ? " 200 " : " 500 ";
        lines += QByteArray::number(n % 1300) + " ms\n";
    }
    return lines;
}

// A home whose Hub log holds the given bytes, repeated.
bool writeLog(const QTemporaryDir& home, const QByteArray& bytes, qint64 repeat)
{
    if (!QDir().mkpath(home.filePath(QStringLiteral(".zandrel/hub"))))
        return false;
    QFile log(home.filePath(QStringLiteral(".zandrel/hub/hub.log")));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (qint64 i = 0; i < repeat; ++i) {
        if (log.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

template <typename F>
bool waitFor(F done, int timeoutMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return done();
}

// Counts the paints of the list that show its newest line.
class PaintWatch : public QObject {
public:
    PaintWatch(HubLogWindow& window, int expectedRows)
        : window_(window)
        , expectedRows_(expectedRows)
    {
        window.view()->viewport()->installEventFilter(this);
    }
    bool paintedNewest() const { return painted_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QScrollBar* bar = window_.view()->verticalScrollBar();
        if (event->type() == QEvent::Paint && window_.shown().rowCount() >= expectedRows_ &&
            (expectedRows_ == 0 || (bar->maximum() > 0 && bar->value() == bar->maximum())))
            painted_ = true; // the paint itself runs before the loop looks again
        return false;
    }

private:
    HubLogWindow& window_;
    int expectedRows_;
    bool painted_ = false;
};

// Shows the window and waits until its newest line is laid out and painted; `read` gets the time
// the show itself took (the file read and the lines held).
bool openAndLayOut(HubLogWindow& window, int expectedRows, double* read = nullptr)
{
    PaintWatch watch(window, expectedRows);
    QElapsedTimer clock;
    clock.start();
    window.show();
    if (read)
        *read = clock.nsecsElapsed() / 1e6;
    return waitFor([&] { return watch.paintedNewest(); });
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int openRatio()
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/bench_log_tail-XXXXXX"));
    const QByteArray chunk = requestLines(4 * 1024 * 1024 / 40);
    const qint64 repeat = (qint64(1) << 30) / chunk.size() + 1;
    if (!writeLog(home, chunk, repeat)) {
        std::fprintf(stderr, "could not write the 1 GiB log\n");
        return 1;
    }
    const QString path = home.filePath(QStringLiteral(".zandrel/hub/hub.log"));
    RecordingPlatform platform(home.path());
    Preferences preferences(home.filePath(QStringLiteral("desktop.ini")));

    std::vector<double> tail, window, withWindow, reads;
    // One of each first, not counted: the file in the page cache, the fonts and styles loaded.
    // More runs for a profiler: BENCH_OPEN_RUNS.
    const int runs = std::max(12, qEnvironmentVariableIntValue("BENCH_OPEN_RUNS"));
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral("tail"), {QStringLiteral("-n"), QStringLiteral("20000"), path});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            std::fprintf(stderr, "tail failed\n");
            return 1;
        }
        const double tailMs = clock.nsecsElapsed() / 1e6;

        clock.restart();
        auto log = std::make_unique<HubLogWindow>(platform, preferences);
        log->resize(820, 520);
        const double built = clock.nsecsElapsed() / 1e6;
        double read = 0;
        if (!openAndLayOut(*log, HubLogModel::defaultCapacity, &read)) {
            std::fprintf(stderr, "the window did not show the log's last lines\n");
            return 1;
        }
        const double total = clock.nsecsElapsed() / 1e6;
        log.reset();
        if (run == 0)
            continue;
        tail.push_back(tailMs);
        window.push_back(total - built);
        withWindow.push_back(total);
        reads.push_back(read);
    }
    // The same window on an empty log: what showing it costs without any lines.
    QTemporaryDir emptyHome;
    writeLog(emptyHome, {}, 1);
    RecordingPlatform emptyPlatform(emptyHome.path());
    std::vector<double> empty;
    for (int run = 0; run < 12; ++run) {
        HubLogWindow log(emptyPlatform, preferences);
        log.resize(820, 520);
        QElapsedTimer clock;
        clock.start();
        if (!openAndLayOut(log, 0))
            return 1;
        if (run > 0)
            empty.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("the window's open of an empty log %.1f ms\n", median(empty));
    const double ratio = median(window) / median(tail);
    std::printf(
        "1 GiB log: tail -n 20000 %.1f ms, the window's open %.1f ms (with building the window %.1f ms)\n",
        median(tail),
        median(window),
        median(withWindow));
    std::printf("of which showing it, with the file read and the lines held, %.1f ms\n", median(reads));
    std::printf("open ratio %.2f (budget 2.00)\n", ratio);
    std::printf("open ratio with building the window %.2f\n", median(withWindow) / median(tail));
    return 0;
}

int longestStall()
{
    QTemporaryDir home;
    if (!writeLog(home, requestLines(1000), 1))
        return 1;
    RecordingPlatform platform(home.path());
    Preferences preferences(home.filePath(QStringLiteral("desktop.ini")));
    HubLogWindow window(platform, preferences);
    window.resize(820, 520);
    if (!openAndLayOut(window, 1000))
        return 1;
    // BENCH_WRAP=1: the same with wrapped lines, whose rows each have a height of their own.
    if (qEnvironmentVariableIsSet("BENCH_WRAP"))
        window.findChild<QCheckBox*>(QStringLiteral("logWrap"))->setChecked(true);

    // Another process's writes, as the Hub's would be: 5 lines every millisecond for 10 seconds.
    std::atomic<bool> done = false;
    std::atomic<long> written = 0;
    const std::string path = QFile::encodeName(platform.hubLogPath()).toStdString();
    std::thread writer([&] {
        std::FILE* file = std::fopen(path.c_str(), "ab");
        if (!file) {
            done = true;
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        for (long tick = 0; tick < 10000; ++tick) {
            const QByteArray lines = requestLines(5, int(tick * 5));
            std::fwrite(lines.constData(), 1, size_t(lines.size()), file);
            std::fflush(file);
            written += 5;
            std::this_thread::sleep_until(start + std::chrono::milliseconds(tick + 1));
        }
        std::fclose(file);
        done = true;
    });
    StallWatch watch;
    watch.start();
    waitFor([&] { return done.load(); }, 20000);
    // The last lines in, too.
    waitFor([&] { return window.lines().lineCount() == HubLogModel::defaultCapacity; }, 3000);
    const qint64 stall = watch.stop();
    writer.join();
    std::printf(
        "%ld lines appended in 10 s; the window holds %d\n", written.load(), window.lines().lineCount());
    std::printf("longest stall %lld ms (budget 16)\n", stall);
    return 0;
}

long windowKiB(int lines)
{
    QTemporaryDir home;
    if (!writeLog(home, requestLines(lines), 1))
        return -1;
    RecordingPlatform platform(home.path());
    Preferences preferences(home.filePath(QStringLiteral("desktop.ini")));
    // The application's look is loaded before counting, on an empty log: the same for both runs,
    // and no freed lines for the measured window to reuse.
    {
        QTemporaryDir emptyHome;
        writeLog(emptyHome, {}, 1);
        RecordingPlatform empty(emptyHome.path());
        HubLogWindow warm(empty, preferences);
        warm.resize(820, 520);
        openAndLayOut(warm, 0);
    }
    const long before = rssKiB();
    HubLogWindow window(platform, preferences);
    window.resize(820, 520);
    if (lines > 0 ? !openAndLayOut(window, lines) : (window.show(), false))
        return -1;
    waitFor([] { return false; }, 300);
    return rssKiB() - before;
}

int memory(const QString& program)
{
    std::vector<double> empty, full;
    for (int round = 0; round < 3; ++round) {
        for (int lines : {0, HubLogModel::defaultCapacity}) {
            QProcess child;
            child.start(program, {QStringLiteral("memory"), QString::number(lines)});
            child.waitForFinished(60000);
            const long kib = child.readAllStandardOutput().trimmed().toLong();
            if (kib <= 0 && lines > 0) {
                std::fprintf(stderr, "a memory run failed\n");
                return 1;
            }
            (lines ? full : empty).push_back(double(kib));
        }
    }
    const double more = (median(full) - median(empty)) / 1024.0;
    std::printf("the window with 20,000 lines costs %.1f MB more than with an empty log (budget 15)\n", more);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    ui::SymbolTable::registerResources();
    if (argc == 3 && qstrcmp(argv[1], "memory") == 0) {
        std::printf("%ld\n", windowKiB(std::atoi(argv[2])));
        return 0;
    }
    const QByteArray only = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    if (only.isEmpty() || only == "open") {
        if (const int failed = openRatio())
            return failed;
    }
    if (only.isEmpty() || only == "stall") {
        if (const int failed = longestStall())
            return failed;
    }
    return only.isEmpty() ? memory(QCoreApplication::applicationFilePath()) : 0;
}
