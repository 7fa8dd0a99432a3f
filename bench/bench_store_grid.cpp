// The store browser with a large catalogue: the longest stall of the UI thread from the catalogue's
// answer to the painted grid and while scrolling to its end, and the memory the page takes, for a
// catalogue of 5,000 apps against one of 24 (each in its own process, three times).
// Budgets: no stall over 50 ms, at most 15 MB more for 5,000 apps.
//
//   bench_store_grid         runs both and prints the figures against the budgets
//   bench_store_grid 5000    prints "<apps> <longest stall ms> <longest scroll step ms> <page's KiB>"

#include "BenchSupport.h"
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
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace zandrel;
using namespace zandrel::test;
using namespace zandrel::bench;

namespace {

// Written directly, so that making it leaves nothing behind in the process but the bytes the fake Hub
// serves.
QByteArray catalogue(int count)
{
    QByteArray json;
    json.reserve(count * 420 + 64);
    json += R"({"count":)" + QByteArray::number(count) + R"(,"page":1,"results":[)";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray c = QByteArray::number(i % 8);
        json += (i ? "," : "");
        json += R"({"slug":"app-)" + n + R"(","name":"App number )" + n +
                R"(","short_description":"A small companion app that does useful thing number )" + n +
                R"(, and a few more things besides.","icon_url":"https://store.example/icons/app-)" + n +
                R"(.png","category":{"id":"c)" + c + R"(","name":"Category )" + c + R"(","slug":"category-)" +
                c + R"(","icon":"hammer"},"price_cents":)" + QByteArray::number((i % 5) * 199) +
                R"(,"is_free":)" + (i % 5 == 0 ? "true" : "false") + R"(,"average_rating":)" +
                QByteArray::number((i % 50) / 10.0) + R"(,"review_count":0,"download_count":)" +
                QByteArray::number(i * 101) + "}";
    }
    return json + "]}";
}

} // namespace

// Runs this benchmark for each count in its own process, three times, and prints the figures.
int compare(const QString& program)
{
    const auto run = [&](int count) {
        QProcess child;
        child.start(program, {QString::number(count)});
        child.waitForFinished(120000);
        const QList<QByteArray> f = child.readAllStandardOutput().simplified().split(' ');
        return f.size() == 4 ? std::array<long, 3>{f[1].toLong(), f[2].toLong(), f[3].toLong()}
                             : std::array<long, 3>{-1, -1, -1};
    };
    long stall = 0, step = 0;
    std::array<std::vector<long>, 2> kib;
    for (int round = 0; round < 3; ++round) {
        for (int which = 0; which < 2; ++which) {
            const auto [s, t, k] = run(which ? 5000 : 24);
            if (k < 0) {
                std::fprintf(stderr, "a run failed\n");
                return 1;
            }
            stall = std::max(stall, s);
            step = std::max(step, t);
            kib[which].push_back(k);
        }
    }
    for (auto& v : kib)
        std::sort(v.begin(), v.end());
    std::printf("page's memory (median of 3): 24 apps %.1f MB, 5,000 apps %.1f MB\n",
                kib[0][1] / 1024.0,
                kib[1][1] / 1024.0);
    std::printf("5,000 apps cost %.1f MB more than 24 (budget 15.0 MB): %.2f of the budget\n",
                (kib[1][1] - kib[0][1]) / 1024.0,
                (kib[1][1] - kib[0][1]) / 1024.0 / 15.0);
    std::printf("longest stall %ld ms, longest scroll step %ld ms (budget 50 ms): %.2f of the budget\n",
                stall,
                step,
                std::max(stall, step) / 50.0);
    return 0;
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2)
        return compare(QCoreApplication::applicationFilePath());
    QApplication::setStyle(QStringLiteral("Fusion"));
    ui::SymbolTable::registerResources();
    const int count = std::atoi(argv[1]);

    QTemporaryDir home;
    RecordingPlatform platform(home.path());
    HubState hubState(platform);
    FakeHub hub;
    hub.on("GET", "/api/store/apps/categories", ScriptedReply::json("[]"));
    hub.on("GET", "/api/store/apps", ScriptedReply::json(catalogue(count)));
    StoreService store(hub.baseUrl());
    // What the page takes is counted from here: the fake Hub's bytes are not the page's.
    const long before = rssKiB();

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
    if (page.apps().size() != count) {
        std::fprintf(stderr, "the catalogue did not load\n");
        return 1;
    }
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
    std::printf("%d %lld %lld %ld\n", count, loadStall, longestStep, rssKiB() - before);
    return 0;
}
