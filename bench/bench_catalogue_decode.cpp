// Decoding a 5,000-app catalogue, strict check included, against parsing the same bytes with Qt alone.
// Budget: within 2x of parsing.

#include "store/StoreApp.h"
#include "wire/StrictJson.h"

#include <QTest>

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

} // namespace

class BenchCatalogueDecode : public QObject {
    Q_OBJECT
    QByteArray bytes_ = catalogue(5000);

private Q_SLOTS:
    void parseOnly()
    {
        QBENCHMARK
        {
            const QJsonDocument document = QJsonDocument::fromJson(bytes_);
            QVERIFY(document.isObject());
        }
    }

    // The strict check that runs before Qt's parser, included in parseAndDecode.
    void strictCheckOnly()
    {
        QBENCHMARK
        {
            wire::requireStrictJson(bytes_);
        }
    }

    void parseAndDecode()
    {
        QBENCHMARK
        {
            const auto page = wire::decodeJson<PaginatedStoreApps>(bytes_);
            QCOMPARE(page.results.size(), 5000);
        }
    }
};

QTEST_GUILESS_MAIN(BenchCatalogueDecode)
#include "bench_catalogue_decode.moc"
