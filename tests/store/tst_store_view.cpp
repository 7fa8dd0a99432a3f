// The store browser and the app detail sheet against a scripted Hub: what each trigger sends, what
// each state shows, the card and detail texts, installing, and leaving while requests are in flight.

#include "AsyncTest.h"
#include "MultiTest.h"
#include "PageFixture.h"
#include "hub_api/HubState.h"
#include "store/CategoryPill.h"
#include "store/StoreAppCard.h"
#include "store/StoreAppDetailSheet.h"
#include "store/StoreService.h"
#include "store/StoreView.h"
#include "ui/EmptyStateView.h"
#include "ui/Label.h"
#include "ui/PageLife.h"
#include "ui/SymbolView.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Content = StoreView::Content;
using Body = StoreAppDetailSheet::Body;

namespace {

QByteArray app(const QByteArray& slug,
               const QByteArray& name,
               const QByteArray& price = R"("price_cents":0,"is_free":true)",
               const QByteArray& popularity = R"("average_rating":4,"download_count":2)")
{
    return R"({"slug":")" + slug + R"(","name":")" + name +
           R"(","short_description":"About it","icon_url":"","category":{"id":"c","name":"C","slug":"c","icon":"hammer"},)" +
           price + ',' + popularity + R"(,"review_count":1})";
}

const QByteArray kCategories =
    R"([{"slug":"productivity","name":"Productivity","icon":"briefcase"},{"slug":"finance","name":"Finance","icon":"chart.line.uptrend.xyaxis"}])";
const QByteArray kCatalogue =
    R"({"results":[)" + app("orvane", "Orvane") + ',' + app("dulvet", "Dulvet") + "]}";

QByteArray catalogueOf(const QByteArray& name)
{
    return R"({"results":[)" + app(name.toLower(), name) + "]}";
}

QByteArray detailJson(const QByteArray& extra = {})
{
    return R"({"slug":"orvane","name":"Orvane","short_description":"s","description":"Long text","icon_url":"",)"
           R"("category":{"id":"c","name":"C","slug":"c","icon":"hammer"},"price_cents":499,"is_free":false,)"
           R"("average_rating":0,"review_count":0,"download_count":0,"screenshots":[])" +
           extra + "}";
}

QByteArray installAnswer(bool success, const QString& path)
{
    return QJsonDocument(QJsonObject{{u"success"_s, success},
                                     {u"app"_s, u"orvane"_s},
                                     {u"version"_s, u"1"_s},
                                     {u"path"_s, path}})
        .toJson(QJsonDocument::Compact);
}

QString labelText(QWidget& in, const char* name)
{
    if (auto* label = in.findChild<ui::SymbolLabel*>(QLatin1String(name)))
        return label->text();
    auto* label = in.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : u"(absent)"_s;
}

} // namespace

class TestStoreView : public QObject, PageFixture {
    Q_OBJECT

    int windowRefreshes = 0;
    PageContext context()
    {
        return PageFixture::context({}, [this] { ++windowRefreshes; });
    }
    std::unique_ptr<StoreView> showPage()
    {
        auto page = std::make_unique<StoreView>(context());
        page->resize(700, 500);
        page->show();
        return page;
    }
    QList<QByteArray> catalogueQueries() const
    {
        QList<QByteArray> queries;
        for (const RecordedRequest& request : hub->requestsTo("GET", "/api/store/apps"))
            queries.append(request.hasQuery ? request.query : "(none)");
        return queries;
    }
    static QList<CategoryPill*> pills(StoreView& page) { return page.findChildren<CategoryPill*>(); }

private Q_SLOTS:
    void init()
    {
        windowRefreshes = 0;
        setUp();
        hub->on("GET", "/api/store/apps/categories", ScriptedReply::json(kCategories));
        hub->on("GET", "/api/store/apps", ScriptedReply::json(kCatalogue));
    }
    void cleanup() { tearDown(); }

    void showingThePageFetchesCategoriesThenTheCatalogue()
    {
        hub->on("GET", "/api/store/apps", ScriptedReply::json(kCatalogue).after(150ms));
        auto page = showPage();
        QTRY_COMPARE(page->content(), Content::Loading);
        QTRY_COMPARE(page->content(), Content::Grid);
        QCOMPARE(hub->requests().size(), 2);
        QCOMPARE(hub->requests()[0].path, QByteArray("/api/store/apps/categories"));
        QCOMPARE(catalogueQueries(), QList<QByteArray>{"(none)"});
        QCOMPARE(page->grid()->model()->rowCount(), 2);
        QStringList names;
        for (CategoryPill* pill : pills(*page))
            names.append(pill->text() + u'/' + pill->icon() + (pill->isSelected() ? u"*"_s : u""_s));
        QCOMPARE(names,
                 QStringList({u"All/square.grid.2x2*"_s,
                              u"Productivity/briefcase"_s,
                              u"Finance/chart.line.uptrend.xyaxis"_s}));
    }

    void searchAndCategoriesSendWhatIsChosen()
    {
        auto page = showPage();
        QTRY_COMPARE(page->content(), Content::Grid);
        auto* search = page->findChild<QLineEdit*>(u"searchField"_s);
        auto* clear = page->findChild<QPushButton*>(u"clearButton"_s);
        QCOMPARE(search->placeholderText(), u"Search apps\u2026"_s);
        // Find in Store puts the cursor in the search field.
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        page->grid()->setFocus();
        page->focusSearch();
        QVERIFY(search->hasFocus());
        QVERIFY(!clear->isVisible());
        QTest::keyClicks(search, u"notes & more "_s);
        QVERIFY(clear->isVisible());
        QTest::keyClick(search, Qt::Key_Return);
        // Typing sends nothing: the search Return sends is the next request.
        QTRY_COMPARE(catalogueQueries().last(), QByteArray("search=notes%20%26%20more%20"));
        QCOMPARE(catalogueQueries().size(), 2);

        pills(*page)[2]->click(); // Finance, with the search still there
        QTRY_COMPARE(catalogueQueries().size(), 3);
        QCOMPARE(catalogueQueries().last(), QByteArray("category=finance&search=notes%20%26%20more%20"));
        QVERIFY(pills(*page)[2]->isSelected() && !pills(*page)[0]->isSelected());
        clear->click();
        QTRY_COMPARE(catalogueQueries().size(), 4);
        QCOMPARE(catalogueQueries().last(), QByteArray("category=finance"));
        QVERIFY(search->text().isEmpty() && !clear->isVisible());
        pills(*page)[0]->click();
        QTRY_COMPARE(catalogueQueries().size(), 5);
        QCOMPARE(catalogueQueries().last(), QByteArray("(none)"));
        QVERIFY(pills(*page)[0]->isSelected());
    }

    void failuresShowStoreUnavailableUntilRetrySucceeds()
    {
        hub->on("GET", "/api/store/apps/categories", ScriptedReply::json("{}", 500));
        hub->once("GET", "/api/store/apps", ScriptedReply::json(R"({"error":"down"})", 503));
        auto page = showPage();
        QTRY_COMPARE(page->content(), Content::Unavailable);
        // The failed category fetch is silent: no strip.
        QVERIFY(!page->findChild<QWidget*>(u"categoryStrip"_s)->isVisible());
        auto* panel = page->findChild<ui::EmptyStateView*>(u"storeUnavailable"_s);
        QCOMPARE(panel->title(), u"Store Unavailable"_s);
        QCOMPARE(panel->symbolName(), u"wifi.slash"_s);
        QCOMPARE(panel->description(), uR"(API error 503: {"error":"down"})"_s);
        page->findChild<QPushButton*>(u"retryButton"_s)->click();
        QTRY_COMPARE(page->content(), Content::Grid);
        QVERIFY(!page->error());

        // An empty answer shows "No Apps Found".
        hub->on("GET", "/api/store/apps", ScriptedReply::json("[]"));
        page->findChild<QLineEdit*>(u"searchField"_s)->setText(u"zzz"_s);
        QTest::keyClick(page->findChild<QLineEdit*>(u"searchField"_s), Qt::Key_Return);
        QTRY_COMPARE(page->content(), Content::Empty);
    }

    void theLatestRequestWinsWhicheverAnswerComesLast()
    {
        auto page = showPage();
        QTRY_COMPARE(page->content(), Content::Grid);
        const auto shown = [&] {
            QStringList names;
            for (const StoreApp& shownApp : page->apps())
                names.append(shownApp.name);
            return names;
        };

        // Productivity, then Finance before the first answer: Productivity's slower answer is dropped.
        hub->once("GET", "/api/store/apps", ScriptedReply::json(catalogueOf("Ledgerly")).after(300ms));
        hub->on("GET", "/api/store/apps", ScriptedReply::json(catalogueOf("Tallyo")));
        pills(*page)[1]->click();
        QTRY_COMPARE(catalogueQueries().size(), 2);
        pills(*page)[2]->click();
        QTRY_COMPARE(shown(), QStringList{u"Tallyo"_s});
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle();
        QCOMPARE(shown(), QStringList{u"Tallyo"_s});
        QVERIFY(pills(*page)[2]->isSelected() && !pills(*page)[1]->isSelected());
        QVERIFY(!page->isLoading());
        QCOMPARE(page->content(), Content::Grid);

        // A search that fails fast, then Clear, slower: the failure neither shows nor ends the loading.
        hub->once("GET", "/api/store/apps", ScriptedReply::json(R"({"error":"down"})", 503).after(300ms));
        hub->on("GET", "/api/store/apps", ScriptedReply::json(catalogueOf("Sumwise")).after(1000ms));
        auto* search = page->findChild<QLineEdit*>(u"searchField"_s);
        search->setText(u"led"_s);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_COMPARE(catalogueQueries().size(), 4);
        page->findChild<QPushButton*>(u"clearButton"_s)->click();
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()) - 1);
        hub->settle();
        QVERIFY(page->isLoading() && !page->error());
        QCOMPARE(page->content(), Content::Grid);
        QTRY_VERIFY(!page->isLoading());
        QCOMPARE(shown(), QStringList{u"Sumwise"_s});
        QCOMPARE(page->content(), Content::Grid);
        QCOMPARE(catalogueQueries(),
                 (QList<QByteArray>{"(none)",
                                    "category=productivity",
                                    "category=finance",
                                    "category=finance&search=led",
                                    "category=finance"}));

        // Shown again while the categories are on the way: their late answer is dropped, and only the
        // latest showing loads the catalogue.
        hub->once("GET",
                  "/api/store/apps/categories",
                  ScriptedReply::json(R"([{"slug":"old","name":"Old","icon":"hammer"}])").after(300ms));
        hub->on("GET", "/api/store/apps", ScriptedReply::json(catalogueOf("Tallyo")));
        page->hide();
        page->show();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/store/apps/categories").size(), 2);
        page->hide();
        page->show();
        QTRY_COMPARE(shown(), QStringList{u"Tallyo"_s});
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle();
        QStringList names;
        for (CategoryPill* pill : pills(*page))
            names.append(pill->text());
        QCOMPARE(names, QStringList({u"All"_s, u"Productivity"_s, u"Finance"_s}));
        QVERIFY(pills(*page)[2]->isSelected());
        QCOMPARE(hub->requestsTo("GET", "/api/store/apps/categories").size(), 3);
        QCOMPARE(catalogueQueries().size(), 6);
        QCOMPARE(catalogueQueries().last(), QByteArray("category=finance"));
    }

    void cardTexts_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("texts"); // initial, price, rating, downloads
        QTest::newRow("free, rated, downloaded")
            << app("a", "orvane") << QStringList{u"O"_s, u"Free"_s, u"4.0"_s, u"2"_s};
        QTest::newRow("priced at nothing") << app("a",
                                                  "bee",
                                                  R"("is_free":false,"price_cents":0)",
                                                  R"("average_rating":0,"download_count":0)")
                                           << QStringList{u"B"_s, u"$0.00"_s, u""_s, u""_s};
        QTest::newRow("priced") << app("a",
                                       "",
                                       R"("is_free":false,"price_cents":499)",
                                       R"("average_rating":4.25,"download_count":1)")
                                << QStringList{u""_s, u"$4.99"_s, u"4.2"_s, u"1"_s};
        QTest::newRow("free whatever the price") << app("a", "X", R"("is_free":true,"price_cents":999)")
                                                 << QStringList{u"X"_s, u"Free"_s, u"4.0"_s, u"2"_s};
    }
    void cardTexts()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, texts);
        const auto card = StoreAppCard::textsFor(wire::decodeJson<StoreApp>(json));
        QCOMPARE((QStringList{card.initial, card.price, card.rating, card.downloads}), texts);
    }

    void aCardOpensTheSheetWhichShowsTheDetail()
    {
        hub->on(
            "GET",
            "/api/store/apps/orvane",
            ScriptedReply::json(detailJson(
                R"(,"developer_name":"Zandrel Labs","average_rating":4.5,)"
                R"("latest_version":{"id":"v7","version":"2.1.0","build_number":7},)"
                R"("min_os_version":"13.0","min_hub_version":"0.9","supported_architectures":["arm64","x86_64"],)"
                R"("required_permissions":["read"])")));
        auto page = showPage();
        QTRY_COMPARE(page->content(), Content::Grid);
        QListView* grid = page->grid();
        QTest::mouseClick(
            grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
        StoreAppDetailSheet* sheet = page->detailSheet();
        QVERIFY(sheet);
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        QVERIFY(sheet->minimumWidth() >= 500 && sheet->minimumHeight() >= 400);
        QTRY_COMPARE(sheet->body(), Body::Content);
        QCOMPARE(labelText(*sheet, "sheetTitle"), u"Orvane"_s);
        QCOMPARE(labelText(*sheet, "developer"), u"by Zandrel Labs"_s);
        QCOMPARE(labelText(*sheet, "price"), u"$4.99"_s);
        QCOMPARE(labelText(*sheet, "rating"), u"4.5"_s);
        QCOMPARE(labelText(*sheet, "version"), u"v2.1.0"_s);
        QCOMPARE(labelText(*sheet, "minOs"), u"macOS 13.0+"_s);
        QCOMPARE(labelText(*sheet, "minHub"), u"Hub 0.9+"_s);
        QCOMPARE(labelText(*sheet, "architectures"), u"arm64, x86_64"_s);
        QCOMPARE(labelText(*sheet, "permissions"), u"Permissions: read"_s);

        // Escape closes it, and it goes away.
        QPointer<StoreAppDetailSheet> closed(sheet);
        QTest::keyClick(sheet, Qt::Key_Escape);
        QTRY_VERIFY(!closed);
        QVERIFY(!page->detailSheet());

        // The keyboard opens a card too.
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(page->detailSheet());
    }

    void sheetWithoutOptionalsAndAFailedFetch()
    {
        // Markup from the store is shown as text.
        QByteArray plain = detailJson();
        plain.replace("Long text", "<b>bold</b> <img src=x>");
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(plain));
        StoreAppDetailSheet sheet(u"orvane"_s, context());
        sheet.show();
        QTRY_COMPARE(sheet.body(), Body::Content);
        QCOMPARE(labelText(sheet, "developer"), u"(absent)"_s);
        QCOMPARE(labelText(sheet, "rating"), u"(absent)"_s);
        QCOMPARE(labelText(sheet, "version"), u"v1.0.0"_s);
        QCOMPARE(labelText(sheet, "minOs"), u"macOS 14.0+"_s);
        QCOMPARE(labelText(sheet, "minHub"), u"Hub 1.0.0+"_s);
        QCOMPARE(labelText(sheet, "architectures"), u"(absent)"_s);
        QCOMPARE(labelText(sheet, "permissions"), u"(absent)"_s);
        auto* description = sheet.findChild<QLabel*>(u"description"_s);
        QCOMPARE(description->text(), u"<b>bold</b> <img src=x>"_s);
        QCOMPARE(description->textFormat(), Qt::PlainText);

        StoreAppDetailSheet missing(u"gone"_s, context());
        missing.show();
        QTRY_COMPARE(missing.body(), Body::Error);
        QCOMPARE(labelText(missing, "sheetTitle"), u"gone"_s);
        QVERIFY(missing.findChild<ui::EmptyStateView*>(u"detailError"_s)
                    ->description()
                    .startsWith(u"API error 404: "_s));
    }

    void installFailureThenSuccessEvenWhenTheHubSaysNoSuccess()
    {
        const QString installedAt = platform->homePath(u"opt/Orvane.app"_s);
        QVERIFY(QDir().mkpath(installedAt));
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailJson()));
        hub->once(
            "POST", "/api/store/apps/orvane/install", ScriptedReply::json(R"({"error":"disk full"})", 500));
        hub->once("POST",
                  "/api/store/apps/orvane/install",
                  ScriptedReply::json(installAnswer(false, installedAt)).after(100ms));
        StoreAppDetailSheet sheet(u"orvane"_s, context());
        QSignalSpy installed(&sheet, &StoreAppDetailSheet::installComplete);
        sheet.show();
        QTRY_COMPARE(sheet.body(), Body::Content);
        QCOMPARE(sheet.appPath(), platform->appBundlePath(u"Orvane"_s));
        auto* install = sheet.findChild<QPushButton*>(u"installButton"_s);
        auto* error = sheet.findChild<ui::Label*>(u"installError"_s);
        QVERIFY(install->isVisible() && !error->isVisible());

        install->click();
        QTRY_VERIFY(error->isVisible());
        QCOMPARE(error->text(), uR"(API error 500: {"error":"disk full"})"_s);
        QVERIFY(install->isEnabled() && installed.isEmpty());

        install->click();
        QVERIFY(!install->isEnabled() && sheet.isInstalling() && !error->isVisible());
        QCOMPARE(install->accessibleName(), u"Install"_s);
        QTRY_COMPARE(installed.count(), 1);
        QCOMPARE(windowRefreshes, 1);
        QTRY_VERIFY(sheet.isAppInstalled() && !install->isVisible());
        // Open uses the path the Hub returned.
        sheet.findChild<QPushButton*>(u"openButton"_s)->click();
        QCOMPARE(platform->openedBundles, QStringList{installedAt});
    }

    void anAppOnDiskShowsInstalledWithoutInstalling()
    {
        QVERIFY(QDir().mkpath(platform->appBundlePath(u"Orvane"_s)));
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailJson()));
        StoreAppDetailSheet sheet(u"orvane"_s, context());
        sheet.show();
        QTRY_VERIFY(sheet.isAppInstalled());
        QVERIFY(!sheet.findChild<QPushButton*>(u"installButton"_s)->isVisible());
        QVERIFY(sheet.findChild<QPushButton*>(u"openButton"_s)->isVisible());
    }

    void aNameOrPathFromTheHubOpensNothingOutsideTheAppsFolder()
    {
        // A store name that climbs out of the apps folder names no bundle, even where one is there.
        QVERIFY(QDir().mkpath(platform->homePath(u"Outside.app"_s)));
        QVERIFY(platform->appBundlePath(u"../Outside"_s).isEmpty());
        for (const QString& name : {u".hidden"_s, u"a/b"_s, u"a\\b"_s, u"a"_s + QChar(0) + u"b"_s, QString()})
            QVERIFY2(platform->appBundlePath(name).isEmpty(), qPrintable(name));
        hub->on("GET",
                "/api/store/apps/orvane",
                ScriptedReply::json(detailJson().replace(R"("name":"Orvane")", R"("name":"../Outside")")));
        // The Hub's own path is opened only as a bundle: here it names a plain file.
        const QString script = platform->homePath(u"Downloads/run.sh"_s);
        QVERIFY(QDir().mkpath(platform->homePath(u"Downloads"_s)));
        QVERIFY(QFile(script).open(QIODevice::WriteOnly));
        hub->on("POST", "/api/store/apps/orvane/install", ScriptedReply::json(installAnswer(true, script)));
        StoreAppDetailSheet sheet(u"orvane"_s, context());
        sheet.show();
        QTRY_COMPARE(sheet.body(), StoreAppDetailSheet::Body::Content);
        QVERIFY(!sheet.isAppInstalled());
        sheet.findChild<QPushButton*>(u"installButton"_s)->click();
        QTRY_VERIFY(sheet.isAppInstalled());
        sheet.findChild<QPushButton*>(u"openButton"_s)->click();
        QVERIFY(platform->openedBundles.isEmpty());
        QVERIFY(!platform->openAppBundle(u"Applications/Orvane.app"_s)); // relative
        QVERIFY(platform->openedBundles.isEmpty());
    }

    void aSheetOpenedAgainWhileItsInstallRunsShowsItAndSendsNoSecond()
    {
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailJson()));
        hub->on("POST",
                "/api/store/apps/orvane/install",
                ScriptedReply::json(installAnswer(true, {})).heldBack());
        auto first = std::make_unique<StoreAppDetailSheet>(u"orvane"_s, context());
        first->show();
        QTRY_COMPARE(first->body(), StoreAppDetailSheet::Body::Content);
        first->findChild<QPushButton*>(u"installButton"_s)->click();
        QTRY_COMPARE(hub->requestsTo("POST", "/api/store/apps/orvane/install").size(), 1);
        ui::retire(first.get());
        first.reset();

        StoreAppDetailSheet sheet(u"orvane"_s, context());
        sheet.show();
        QTRY_COMPARE(sheet.body(), StoreAppDetailSheet::Body::Content);
        auto* install = sheet.findChild<QPushButton*>(u"installButton"_s);
        QVERIFY(sheet.isInstalling() && !install->isEnabled());
        hub->release();
        QTRY_VERIFY(sheet.isAppInstalled() && !sheet.isInstalling());
        QCOMPARE(hub->requestsTo("POST", "/api/store/apps/orvane/install").size(), 1);
    }

    void leavingWhileRequestsRunIsSafe()
    {
        // The page goes while its catalogue is on the way.
        hub->on("GET", "/api/store/apps", ScriptedReply::json(kCatalogue).after(100ms));
        auto* page = showPage().release();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/store/apps").size(), 1);
        ui::retire(page);
        page->deleteLater();
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle();

        // The sheet closes while its detail, then while an install, is on the way.
        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailJson()).after(100ms));
        auto* sheet = new StoreAppDetailSheet(u"orvane"_s, context());
        sheet->show();
        sheet->close();
        ui::retire(sheet);
        sheet->deleteLater();
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle();

        hub->on("GET", "/api/store/apps/orvane", ScriptedReply::json(detailJson()));
        hub->on(
            "POST",
            "/api/store/apps/orvane/install",
            ScriptedReply::json(R"({"success":true,"app":"orvane","version":"1","path":"p"})").after(100ms));
        QPointer<StoreAppDetailSheet> installing(new StoreAppDetailSheet(u"orvane"_s, context()));
        installing->show();
        QTRY_COMPARE(installing->body(), Body::Content);
        installing->findChild<QPushButton*>(u"installButton"_s)->click();
        ui::retire(installing);
        installing->deleteLater();
        QTRY_VERIFY(!installing);
        QTRY_COMPARE(hub->requestsTo("POST", "/api/store/apps/orvane/install").size(), 1);
        // The window still hears of the install, so its sidebar lists the app.
        QTRY_COMPARE(windowRefreshes, 1);
    }
};

ZANDREL_TEST(TestStoreView)
#include "tst_store_view.moc"
