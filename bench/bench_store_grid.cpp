// The store browser with a large catalogue: the longest stall of the UI thread from the catalogue's
// answer to the painted grid and while scrolling to its end, and the memory the page takes, for a
// catalogue of 5,000 apps against one of 24 (each in its own process).
// Budgets: no stall over 50 ms, under 30 MB extra.
//
//   bench_store_grid 5000    prints "<apps> <longest stall ms> <longest scroll step ms> <RSS KiB after>"

#include "FakeHub.h"
#include "RecordingPlatform.h"
#include "hub_api/HubState.h"
#include "store/StoreApp.h"
#include "store/StoreService.h"
#include "store/StoreView.h"
#include "ui/SymbolTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

using namespace zandrel;
using namespace zandrel::test;

namespace {

QByteArray catalogue(int count)
{
    QList<StoreApp> apps;
    for (int i = 0; i < count; ++i) {
        StoreApp app;
        app.slug = QStringLiteral("app-%1").arg(i);
        app.name = QStringLiteral("App number %1").arg(i);
        app.short_description =
            QStringLiteral(
                "A small companion app that does useful thing number %1, and a few more things besides.")
                .arg(i);
        app.icon_url = QStringLiteral("https://store.example/icons/app-%1.png").arg(i);
        app.category = AppCategory{QStringLiteral("c%1").arg(i % 8),
                                   QStringLiteral("Category %1").arg(i % 8),
                                   QStringLiteral("category-%1").arg(i % 8),
                                   QStringLiteral("hammer"),
                                   std::nullopt,
                                   std::nullopt};
        app.price_cents = (i % 5) * 199;
        app.is_free = i % 5 == 0;
        app.average_rating = (i % 50) / 10.0;
        app.download_count = i * 101;
        apps.append(app);
    }
    return wire::encodeJson(PaginatedStoreApps{apps, count, 1});
}

long rssKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

// The longest time between two turns of the event loop, watched by a 2 ms timer.
class StallWatch : public QObject {
public:
    StallWatch()
    {
        timer_.setInterval(2);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (clock_.isValid())
                longest_ = qMax(longest_, clock_.elapsed());
            clock_.start();
        });
    }
    void start()
    {
        longest_ = 0;
        clock_.invalidate();
        timer_.start();
    }
    qint64 stop()
    {
        timer_.stop();
        return longest_;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    ui::SymbolTable::registerResources();
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;

    QTemporaryDir home;
    RecordingPlatform platform(home.path());
    HubState hubState(platform);
    FakeHub hub;
    hub.on("GET", "/api/store/apps/categories", ScriptedReply::json("[]"));
    hub.on("GET", "/api/store/apps", ScriptedReply::json(catalogue(count)));
    StoreService store(hub.baseUrl());

    StoreView page(PageContext{hubState, store, platform, 3456, {}, {}});
    page.resize(800, 550);
    StallWatch watch;
    watch.start();
    page.show();
    // From the request to the painted grid.
    QElapsedTimer clock;
    clock.start();
    while (page.apps().size() != count && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 loadStall = watch.stop();

    // Scrolling to the end, a screenful at a time, each step painted before the next.
    QScrollBar* bar = page.grid()->verticalScrollBar();
    qint64 longestStep = 0;
    while (bar->value() < bar->maximum()) {
        QElapsedTimer step;
        step.start();
        bar->setValue(bar->value() + page.grid()->viewport()->height());
        page.grid()->viewport()->repaint();
        QCoreApplication::processEvents();
        longestStep = qMax(longestStep, step.elapsed());
    }
    std::printf("%d %lld %lld %ld\n", count, loadStall, longestStep, rssKiB());
    return 0;
}
