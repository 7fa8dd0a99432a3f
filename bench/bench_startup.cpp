// Start to first painted window, and memory after start: the application's window against a bare
// Qt Widgets window (one label) built the same way. Each run is one process that quits right after its first
// paint and prints "<wall-clock ns at first paint> <max RSS in KiB>"; bench/startup.sh repeats and compares.
// Budgets: within 1.15x the bare window's time, within 25 MB of its memory.

#include "app/ContentView.h"
#include "app/ZandrelHubApp.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>

namespace {

// Wall-clock nanoseconds; the script subtracts the time it launched the process.
long long realtimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, qApp, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("%lld %ld\n", realtimeNs(), usage.ru_maxrss);
                // For a profiler: stop at the first paint, before the shutdown's own work.
                if (qEnvironmentVariableIsSet("BENCH_EXIT_AT_PAINT")) {
                    std::fflush(stdout);
                    std::_Exit(0);
                }
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

} // namespace

// BENCH_PHASES=1 prints the wall clock at each step to stderr, to see where a start goes.
static void phase(const char* what)
{
    if (qEnvironmentVariableIsSet("BENCH_PHASES"))
        std::fprintf(stderr, "%s %lld\n", what, realtimeNs());
}

int main(int argc, char* argv[])
{
    phase("main");
    QApplication application(argc, argv);
    phase("qapplication");
    const bool bare = application.arguments().contains(QStringLiteral("bare"));
    FirstPaint firstPaint;
    if (bare) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // Bare, but with a line of text: every real window draws text, which loads the font database.
        QLabel window(QStringLiteral("Zandrel Hub"));
        window.resize(800, 550);
        window.installEventFilter(&firstPaint);
        window.show();
        phase("shown");
        return application.exec();
    }
    zandrel::QtPlatform platform;
    zandrel::ZandrelHubApp::setUpLook(application);
    phase("look");
    zandrel::ZandrelHubApp hub(platform);
    phase("constructed");
    hub.window().installEventFilter(&firstPaint);
    hub.show();
    phase("shown");
    return application.exec();
}
