// Start to first painted window, and memory after start: the application's window against a bare
// Qt Widgets window (one label) built the same way. Each run is one process that quits right after its first
// paint and prints "<wall-clock ns at first paint> <max RSS in KiB>"; bench/startup.sh repeats and compares.
// Budgets: within 1.3x the bare window's time, within 25 MB of its memory.

#include "app/ContentView.h"
#include "app/ZandrelHubApp.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
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
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const bool bare = application.arguments().contains(QStringLiteral("bare"));
    FirstPaint firstPaint;
    if (bare) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // Bare, but with a line of text: every real window draws text, which loads the font database.
        QLabel window(QStringLiteral("Zandrel Hub"));
        window.resize(800, 550);
        window.installEventFilter(&firstPaint);
        window.show();
        return application.exec();
    }
    zandrel::QtPlatform platform;
    zandrel::ZandrelHubApp::setUpLook(application);
    zandrel::ZandrelHubApp hub(platform);
    hub.window().installEventFilter(&firstPaint);
    hub.show();
    return application.exec();
}
