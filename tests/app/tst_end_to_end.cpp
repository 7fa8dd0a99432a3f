// The application against the real `zandrel`: what a user does across the window, the store pages
// and the Hub, on a Hub of its own with a home of its own.

#include "AsyncTest.h"
#include "HubProcess.h"
#include "RecordingPlatform.h"
#include "app/ContentView.h"
#include "app/ZandrelHubApp.h"
#include "hub_api/HubAPIClient.h"
#include "installed/Sidebar.h"
#include "settings/AISettingsState.h"
#include "settings/AISettingsTab.h"
#include "settings/PermissionsState.h"
#include "settings/PermissionsTab.h"
#include "settings/ProviderCard.h"
#include "store/StoreAppDetailSheet.h"
#include "store/StoreService.h"
#include "store/StoreView.h"
#include "ui/ToggleSwitch.h"
#include "wire/HttpExchange.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

// How many TCP connections to the loopback port stand established on this machine (as the kernel
// lists them: "sl local rem st ...", addresses as hex IP:port, state 01 for established).
int connectionsTo(quint16 port)
{
    QFile table(u"/proc/net/tcp"_s);
    if (!table.open(QIODevice::ReadOnly))
        return -1;
    int count = 0;
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields[3] == "01" &&
            fields[2].split(':').value(1).toUInt(nullptr, 16) == port)
            ++count;
    }
    return count;
}

} // namespace

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
    // Preferences written by the window stay out of the user's config folder.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
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
            platform,
            [](const QString&) {},
            LaunchOptions{
                .hubPort = hub->port(), .links = {}, .preferencesFile = hub->path(u"desktop.ini"_s)});
        app.pendingSignIn().start(); // the GitHub button was pressed
        QCOMPARE(app.handleUrl(link), ZandrelLink::Kind::SignIn);
        QTRY_VERIFY(app.storeService().isLoggedIn());
        QCOMPARE(app.storeService().currentUser()->email, u"demo@zandrel.dev"_s);
        QVERIFY(QFileInfo::exists(platform.tokenFilePath()));
    }

    void installFromTheDetailSheetListsTheAppInTheSidebar()
    {
        RecordingPlatform platform(hub->path(u"."_s));
        ZandrelHubApp app(
            platform,
            [](const QString&) {},
            LaunchOptions{
                .hubPort = hub->port(), .links = {}, .preferencesFile = hub->path(u"desktop.ini"_s)});
        QSignalSpy started(&app.window(), &ContentView::startUpFinished);
        app.show();
        QVERIFY(started.wait(20000));
        QCOMPARE(app.window().sidebar()->rowOf(SidebarItem::app(u"morrak"_s)), -1);

        app.window().setSelection(SidebarItem::section(SidebarItem::Kind::Store));
        auto* store = qobject_cast<StoreView*>(app.window().currentPage());
        QVERIFY(store);
        QTRY_VERIFY(!store->apps().isEmpty());
        int row = 0;
        while (row < store->apps().size() && store->apps().at(row).slug != u"morrak")
            ++row;
        store->openDetail(row);
        StoreAppDetailSheet* sheet = store->detailSheet();
        QVERIFY(sheet);
        QTRY_COMPARE(sheet->body(), StoreAppDetailSheet::Body::Content);
        QVERIFY(!sheet->isAppInstalled());
        sheet->findChild<QPushButton*>(u"installButton"_s)->click();
        QTRY_VERIFY(sheet->isAppInstalled());

        // The window looked for bundles again: Morrak is in the sidebar, its bundle on disk.
        QTRY_VERIFY(app.window().sidebar()->rowOf(SidebarItem::app(u"morrak"_s)) >= 0);
        QVERIFY(QFileInfo::exists(platform.appBundlePath(u"Morrak"_s)));
    }

    void aPermissionFlipReachesTheHubAndItsAuditLog()
    {
        PermissionsTab tab(hub->port());
        tab.show();
        QTRY_VERIFY(tab.toggle(u"Orvane"_s, u"actions"_s));
        ui::ToggleSwitch* actions = tab.toggle(u"Orvane"_s, u"actions"_s);
        const bool was = actions->isChecked();
        actions->click();
        // Once the Hub has it, a refresh shows it, with its audit entry on top.
        QTRY_COMPARE(await(HubAPIClient(hub->port()).getPermissions()).value->value(u"Orvane"_s).actions,
                     std::optional(!was));
        tab.findChild<QToolButton*>(u"refreshButton"_s)->click();
        QTRY_COMPARE(tab.state().auditLog().value(0).action, std::optional(u"perms"_s));
        QCOMPARE(tab.state().auditLog().value(0).app, std::optional(u"Orvane"_s));
        QTRY_VERIFY(!tab.state().isLoading());
        QCOMPARE(tab.toggle(u"Orvane"_s, u"actions"_s)->isChecked(), !was);
    }

    void anAiProviderAddedSavedAndTested()
    {
        RecordingPlatform platform(hub->path(u"."_s));
        HubState hubState(platform);
        StoreService store(hub->baseUrl());
        AISettingsTab tab(PageContext{.hubState = hubState,
                                      .storeService = store,
                                      .platform = platform,
                                      .hubPort = hub->port(),
                                      .storeWebsite = {},
                                      .onInstallComplete = {}});
        tab.show();
        QTRY_VERIFY(!tab.state().isLoading() && tab.state().usage());
        tab.state().addProvider(u"openai"_s);
        ProviderCard* card = tab.card(u"openai"_s);
        QTest::keyClicks(card->findChild<QLineEdit*>(u"apiKeyField"_s), u"sk-0123456789abcdefghijklmn"_s);
        card->findChild<QPushButton*>(u"saveButton"_s)->click();
        // The Hub keeps the key, offers the provider's models, and its test passes.
        QTRY_VERIFY(std::any_of(tab.state().models().cbegin(),
                                tab.state().models().cend(),
                                [](const AIModelInfo& model) { return model.provider == u"openai"; }));
        QTRY_VERIFY(!tab.state().isLoading());
        QCOMPARE(tab.state().providerStatus(u"openai"_s), ProviderStatus::Connected);
        const auto saved = await(HubAPIClient(hub->port()).getAIConfig());
        QVERIFY(saved.value && saved.value->providers);
        QCOMPARE(saved.value->providers->value(u"openai"_s).apiKey,
                 std::optional(u"sk-0123456789abcdefghijklmn"_s));
        QCOMPARE(tab.card(u"openai"_s), card); // the same card, updated in place
        card->findChild<QPushButton*>(u"testButton"_s)->click();
        QCOMPARE(tab.state().testingProvider(), std::optional(u"openai"_s));
        QTRY_VERIFY(!tab.state().testingProvider());
        QVERIFY(tab.state().testResults().value(u"openai"_s).ok);
    }

    void quittingWithExchangesInFlightIsClean()
    {
        // A Hub that answers after three seconds: the start-up probe, the store page's first load and
        // the detail of the app a link names are all still waiting when the application is told to quit.
        QVERIFY(hub->stop() == 0 && hub->serve(u"--delay-ms 3000"_s));
        QProcess desktop;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, hub->path(u"."_s));
        env.insert(u"XDG_CONFIG_HOME"_s, hub->path(u".config"_s));
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"ZANDREL_HUB_PORT"_s, QString::number(hub->port()));
        desktop.setProcessEnvironment(env);
        desktop.start(QStringLiteral(ZANDREL_DESKTOP), {u"zandrel://install/morrak"_s});
        QVERIFY(desktop.waitForStarted());
        // The three wait on connections of their own: quitting comes while all of them are open.
        const bool waiting = QTest::qWaitFor([&] { return connectionsTo(hub->port()) >= 3; }, 20000);
        QVERIFY2(waiting, qPrintable(u"%1 connections"_s.arg(connectionsTo(hub->port()))));
        QCOMPARE(desktop.state(), QProcess::Running);
        desktop.terminate();
        QVERIFY(desktop.waitForFinished(20000));
        const QByteArray out = desktop.readAllStandardOutput();
        const QByteArray err = desktop.readAllStandardError();
        QCOMPARE(desktop.exitStatus(), QProcess::NormalExit);
        QVERIFY2(desktop.exitCode() == 0 && !err.contains("Sanitizer"), err.constData());
        QVERIFY2(!out.contains("Install from URL failed"), out.constData()); // nothing was confirmed
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
