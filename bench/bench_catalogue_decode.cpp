// Decoding a 5,000-app catalogue, strict check included, against parsing the same bytes with Qt alone.
// Prints each time and its ratio to Qt's parse. Budget: 1.0x, aim 0.5x.
//
//   bench_catalogue_decode [RUNS]

#include "store/StoreApp.h"
#include "wire/JsonDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace zandrel;

namespace {

QByteArray catalogue(int count)
{
    QList<StoreApp> apps;
    for (int i = 0; i < count; ++i) {
        StoreApp app;
        app.slug = QStringLiteral("app-%1").arg(i);
        app.name = QStringLiteral("App number %1").arg(i);
        app.short_description =
            QStringLiteral("A small companion app that does useful thing number %1.").arg(i);
        app.icon_url = QStringLiteral("https://store.example/icons/app-%1.png").arg(i);
        app.category = AppCategory{QStringLiteral("c%1").arg(i % 8),
                                   QStringLiteral("Category %1").arg(i % 8),
                                   QStringLiteral("category-%1").arg(i % 8),
                                   QStringLiteral("hammer"),
                                   QStringLiteral("Things of kind %1").arg(i % 8),
                                   i % 8};
        app.developer_name = QStringLiteral("Developer %1").arg(i % 100);
        app.price_cents = (i % 5) * 199;
        app.is_free = i % 5 == 0;
        app.average_rating = (i % 50) / 10.0;
        app.review_count = i * 3;
        app.download_count = i * 101;
        app.featured = i % 17 == 0;
        apps.append(app);
    }
    PaginatedStoreApps page{apps, count, 1};
    return wire::encodeJson(page);
}

// The median of `runs` timings of f, in milliseconds.
template <class F>
double medianMs(int runs, F&& f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        f();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    const QByteArray bytes = catalogue(5000);

    // Rounds alternate between the three, so a busy spell of the machine touches each alike.
    std::vector<double> parse, check, decode;
    for (int round = 0; round < 5; ++round) {
        parse.push_back(medianMs(runs, [&] {
            if (!QJsonDocument::fromJson(bytes).isObject())
                std::abort();
        }));
        check.push_back(medianMs(runs, [&] { const wire::JsonDocument document(bytes); }));
        decode.push_back(medianMs(runs, [&] {
            if (wire::decodeJson<PaginatedStoreApps>(bytes).results.size() != 5000)
                std::abort();
        }));
    }
    const auto best = [](const std::vector<double>& times) {
        return *std::min_element(times.begin(), times.end());
    };
    std::printf("catalogue of 5,000 apps, %lld KiB (best of 5 medians of %d runs)\n",
                static_cast<long long>(bytes.size() / 1024),
                runs);
    std::printf("Qt parse alone:              %6.2f ms\n", best(parse));
    std::printf("strict parse alone:          %6.2f ms  %.2fx\n", best(check), best(check) / best(parse));
    std::printf("strict parse and decode:     %6.2f ms  %.2fx  (budget 1.00x, aim 0.50x)\n",
                best(decode),
                best(decode) / best(parse));
    return 0;
}
