// The application against the real `zandrel`: what a user does across the window, the store pages
// and the Hub, on a Hub of its own with a home of its own.

#include "AsyncTest.h"
#include "HubProcess.h"
#include "RecordingPlatform.h"
#include "app/ZandrelHubApp.h"
#include "wire/HttpExchange.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

class TestEndToEnd : public QObject {
    Q_OBJECT

    std::unique_ptr<HubProcess> hub;

    HttpResponse fetch(const QString& path)
    {
        const auto answer =
            await(HttpExchange::send(HttpRequest{"GET", QUrl(hub->baseUrl() + path), {}, {}}));
        return answer.value.value_or(HttpResponse{});
    }

private Q_SLOTS:
    void init()
    {
        hub = std::make_unique<HubProcess>();
        QVERIFY(hub->serve());
    }
    void cleanup()
    {
        QCOMPARE(hub->stop(), 0);
        hub.reset();
    }

    void browserSignInThroughTheStandInWebsite()
    {
        // The page the Account page's GitHub button opens, served by the Hub in the website's place.
        const HttpResponse page = fetch(u"/auth/github"_s);
        QCOMPARE(page.status, 200);
        QVERIFY(page.body.contains("Sign in to the Zandrel Store with GitHub"));
        const auto found =
            QRegularExpression(u"id=\"continue\" href=\"([^\"]+)\""_s).match(QString::fromUtf8(page.body));
        QVERIFY(found.hasMatch());
        const QString link = found.captured(1).replace(u"&amp;"_s, u"&"_s);
        QVERIFY2(link.startsWith(u"zandrel://auth/callback?access_token="_s), qPrintable(link));
        QCOMPARE(fetch(u"/auth/myspace"_s).status, 404);

        // Its link signs the application in: the token is kept, and the Hub knows who it is.
        RecordingPlatform platform(hub->path(u"."_s));
        ZandrelHubApp app(
            platform, [](const QString&) {}, LaunchOptions{.hubPort = hub->port()});
        QCOMPARE(app.handleUrl(link), ZandrelLink::Kind::SignIn);
        QTRY_VERIFY(app.storeService().isLoggedIn());
        QCOMPARE(app.storeService().currentUser()->email, u"demo@zandrel.dev"_s);
        QVERIFY(QFileInfo::exists(platform.tokenFilePath()));
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
