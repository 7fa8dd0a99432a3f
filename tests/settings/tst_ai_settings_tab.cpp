// The AI tab against a scripted Hub: the provider menu and cards, the three sign-in forms, keys and
// the clipboard, the fallback order, per-app models, usage, the error banner, and leaving mid-load.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "MultiTest.h"
#include "RecordingPlatform.h"
#include "hub_api/HubState.h"
#include "settings/AISettingsState.h"
#include "settings/AISettingsTab.h"
#include "settings/ProviderCard.h"
#include "store/StoreService.h"
#include "ui/ErrorBanner.h"
#include "ui/Formats.h"
#include "ui/PageLife.h"
#include "ui/SymbolView.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

QJsonObject lastConfigSent(const FakeHub& hub)
{
    return QJsonDocument::fromJson(hub.requestsTo("PUT", "/api/ai/config").last().body).object();
}

} // namespace

class TestAISettingsTab : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<RecordingPlatform> platform;
    std::unique_ptr<FakeHub> hub;
    std::unique_ptr<HubState> hubState;
    std::unique_ptr<StoreService> store;

    std::unique_ptr<AISettingsTab> showTab()
    {
        auto tab =
            std::make_unique<AISettingsTab>(PageContext{*hubState, *store, *platform, hub->port(), {}, {}});
        tab->resize(640, 900);
        tab->show();
        if (!spinUntil([&] {
                return !tab->state().isLoading() && !hub->requestsTo("GET", "/api/ai/config").isEmpty();
            }))
            qWarning("the AI tab did not finish loading");
        tab->rebuildNow();
        return tab;
    }
    static ProviderCard* card(AISettingsTab& tab, const QString& id)
    {
        return tab.findChild<ProviderCard*>(u"providerCard_"_s + id);
    }
    static QString text(QWidget* in, const char* name)
    {
        auto* label = in ? in->findChild<QLabel*>(QLatin1String(name)) : nullptr;
        return label ? label->text() : u"(absent)"_s;
    }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        platform = std::make_unique<RecordingPlatform>(home->path());
        hub = std::make_unique<FakeHub>();
        hubState = std::make_unique<HubState>(*platform);
        store = std::make_unique<StoreService>(hub->baseUrl());
        hub->on("GET", "/api/ai/config", ScriptedReply::json("{}"));
        hub->on("GET", "/api/ai/models", ScriptedReply::json("{\"models\":[]}"));
        hub->on("GET", "/api/ai/usage", ScriptedReply::json("{}"));
        hub->on("GET", "/api/ai/auth/status", ScriptedReply::json("[]"));
        hub->on("PUT", "/api/ai/config", ScriptedReply::json("{}"));
        hub->on("POST", "/api/ai/test", ScriptedReply::json("{\"ok\":false,\"error\":\"bad key\"}"));
    }
    void cleanup()
    {
        store.reset();
        hub.reset();
    }

    void formats()
    {
        const QList<std::pair<qint64, QString>> tokens{{0, u"0"_s},
                                                       {999, u"999"_s},
                                                       {1000, u"1.0K"_s},
                                                       {1500, u"1.5K"_s},
                                                       {999999, u"1000.0K"_s},
                                                       {1000000, u"1.0M"_s},
                                                       {-5, u"-5"_s}};
        for (const auto& [n, expected] : tokens)
            QCOMPARE(ui::formatTokens(n), expected);
        const QList<std::pair<double, QString>> costs{{0, u"$0.0000"_s},
                                                      {0.0099, u"$0.0099"_s},
                                                      {0.01, u"$0.01"_s},
                                                      {2.5, u"$2.50"_s},
                                                      {1.234, u"$1.23"_s}};
        for (const auto& [c, expected] : costs)
            QCOMPARE(ui::costText(c), expected);
        QCOMPARE(ProviderCard::modelCountText(1), u"1 model available"_s);
        QCOMPARE(ProviderCard::modelCountText(0), u"0 models available"_s);
    }

    void anEmptyConfiguration()
    {
        auto tab = showTab();
        auto* add = tab->findChild<QToolButton*>(u"addProvider"_s);
        QStringList offered;
        for (QAction* action : add->menu()->actions())
            offered.append(action->text());
        QCOMPARE(offered, QStringList({u"Anthropic"_s, u"OpenAI"_s, u"Ollama"_s}));
        QVERIFY(tab->findChild<QLabel*>(u"noProviders"_s));
        QVERIFY(tab->findChild<QLabel*>(u"noModels"_s));
        QCOMPARE(tab->findChildren<QWidget*>(u"usageCard"_s).size(), 3); // an empty report: three dashes
        QVERIFY(!tab->fallbackList());

        // Adding shows the provider at once, expanded, with an empty key; nothing is sent yet.
        add->menu()->actions()[1]->trigger();
        tab->rebuildNow();
        QVERIFY(card(*tab, u"openai"_s));
        QCOMPARE(card(*tab, u"openai"_s)->findChild<QLineEdit*>(u"apiKeyField"_s)->text(), QString());
        QVERIFY(hub->requestsTo("PUT", "/api/ai/config").isEmpty());
    }

    void cardsInOrderWithTheirBadgesAndFields()
    {
        hub->on("GET",
                "/api/ai/config",
                ScriptedReply::json(
                    "{\"providers\":{\"zeta\":{},\"openai\":{\"apiKey\":\"sk-1\"},\"ollama\":{}}}"));
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json("{\"models\":[{\"id\":\"l\",\"provider\":\"ollama\",\"name\":\"Llama\","
                                    "\"available\":true}]}"));
        auto tab = showTab();
        QStringList ids;
        for (ProviderCard* each : tab->findChildren<ProviderCard*>())
            ids.append(each->id());
        QCOMPARE(ids, QStringList({u"ollama"_s, u"openai"_s, u"zeta"_s}));
        QCOMPARE(text(card(*tab, u"ollama"_s), "statusBadge"), u"Connected"_s);
        QCOMPARE(text(card(*tab, u"ollama"_s), "modelCount"), u"1 model available"_s);
        QCOMPARE(text(card(*tab, u"openai"_s), "statusBadge"), u"Error"_s); // its test failed
        QCOMPARE(text(card(*tab, u"zeta"_s), "statusBadge"), u"No API Key"_s);
        QCOMPARE(text(card(*tab, u"zeta"_s), "providerName"), u"Zeta"_s);
        QCOMPARE(ProviderCard::icon(u"zeta"_s), u"server.rack"_s);

        // Ollama: no key field, but Test, Save and Remove; another provider has the field, masked.
        tab->state().setExpandedProvider(u"ollama"_s);
        tab->rebuildNow();
        ProviderCard* ollama = card(*tab, u"ollama"_s);
        QVERIFY(!ollama->findChild<QLineEdit*>(u"apiKeyField"_s));
        QVERIFY(ollama->findChild<QPushButton*>(u"testButton"_s) &&
                ollama->findChild<QPushButton*>(u"saveButton"_s));
        tab->state().setExpandedProvider(u"zeta"_s);
        tab->rebuildNow();
        QVERIFY(
            !card(*tab, u"ollama"_s)->findChild<QPushButton*>(u"testButton"_s)); // one card open at a time
        auto* key = card(*tab, u"zeta"_s)->findChild<QLineEdit*>(u"apiKeyField"_s);
        QCOMPARE(key->echoMode(), QLineEdit::Password);
        // Paste: nothing on the clipboard changes nothing; something replaces the key.
        auto* paste = card(*tab, u"zeta"_s)->findChild<QToolButton*>(u"pasteButton"_s);
        QVERIFY(!paste->toolTip().isEmpty() && !paste->accessibleName().isEmpty());
        QTest::keyClicks(key, u"typed"_s);
        paste->click();
        QCOMPARE(tab->state().editingKeys()[u"zeta"_s], u"typed"_s);
        platform->clipboard = u" sk-pasted "_s;
        paste->click();
        QCOMPARE(tab->state().editingKeys()[u"zeta"_s], u" sk-pasted "_s);
        card(*tab, u"zeta"_s)->findChild<QToolButton*>(u"showKeyButton"_s)->click();
        QCOMPARE(key->echoMode(), QLineEdit::Normal);

        // Remove saves at once, without the provider.
        card(*tab, u"zeta"_s)->findChild<QPushButton*>(u"removeButton"_s)->click();
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 1);
        QVERIFY(!lastConfigSent(*hub)[u"providers"_s].toObject().contains(u"zeta"_s));
    }

    void theThreeSignInForms()
    {
        hub->on("GET", "/api/ai/config", ScriptedReply::json("{\"providers\":{\"anthropic\":{}}}"));
        hub->on("POST",
                "/api/ai/auth/start",
                ScriptedReply::json("{\"url\":\"http://127.0.0.1:1/consent\",\"state\":\"s\"}"));
        auto tab = showTab();
        tab->state().setExpandedProvider(u"anthropic"_s);
        tab->rebuildNow();
        const auto form = [&] {
            return card(*tab, u"anthropic"_s)
                ->findChild<QWidget*>(u"signInBlock"_s)
                ->property("form")
                .toString();
        };
        QCOMPARE(form(), u"signIn"_s);
        QVERIFY(!card(*tab, u"anthropic"_s)->findChild<QLineEdit*>(u"apiKeyField"_s)); // until asked for
        card(*tab, u"anthropic"_s)->findChild<QToolButton*>(u"manualKeyToggle"_s)->click();
        tab->rebuildNow();
        QVERIFY(card(*tab, u"anthropic"_s)->findChild<QLineEdit*>(u"apiKeyField"_s));

        card(*tab, u"anthropic"_s)->findChild<QPushButton*>(u"startSignIn"_s)->click();
        QTRY_VERIFY(tab->state().oauthPendingState());
        tab->rebuildNow();
        QCOMPARE(form(), u"awaitingCode"_s);
        auto* submit = card(*tab, u"anthropic"_s)->findChild<QPushButton*>(u"submitButton"_s);
        QVERIFY(!submit->isEnabled()); // nothing pasted yet
        QTest::keyClicks(card(*tab, u"anthropic"_s)->findChild<QLineEdit*>(u"oauthCodeField"_s), u"abc"_s);
        QVERIFY(submit->isEnabled());

        hub->on("GET",
                "/api/ai/auth/status",
                ScriptedReply::json(
                    "[{\"provider\":\"anthropic\",\"authenticated\":true,\"email\":\"me@x.dev\"}]"));
        QVERIFY(await(tab->state().load()).succeeded());
        tab->rebuildNow();
        QCOMPARE(form(), u"signedIn"_s);
        QCOMPARE(text(card(*tab, u"anthropic"_s), "signedInAs"), u"Signed in as me@x.dev"_s);
        QVERIFY(card(*tab, u"anthropic"_s)->findChild<QToolButton*>(u"manualKeyToggle"_s));

        // A sign-out the Hub refuses leaves the sign-in shown and says why.
        hub->on("POST", "/api/ai/auth/signout", ScriptedReply::close());
        card(*tab, u"anthropic"_s)->findChild<QPushButton*>(u"signOutButton"_s)->click();
        QTRY_VERIFY(tab->findChild<ui::ErrorBanner*>()->isVisible());
        QCOMPARE(form(), u"signedIn"_s);
    }

    void theFallbackOrderAndPerAppModels()
    {
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json("[{\"id\":\"orvane\",\"name\":\"Orvane\"}]"));
        hubState->setPort(hub->port());
        QVERIFY(await(hubState->refresh()).succeeded());
        hub->on("GET",
                "/api/ai/config",
                ScriptedReply::json(
                    "{\"providers\":{\"openai\":{},\"ollama\":{}},\"appOverrides\":{\"orvane\":\"l\"}}"));
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json("{\"models\":[{\"id\":\"l\",\"provider\":\"ollama\",\"name\":\"Llama\","
                                    "\"available\":true}]}"));
        auto tab = showTab();
        QListWidget* list = tab->fallbackList();
        QVERIFY(list);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->data(Qt::UserRole).toString(), u"ollama"_s); // ascending until moved
        QCOMPARE(list->height(), 2 * 32 + 8);
        list->setFocus();
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 1);
        QCOMPARE(lastConfigSent(*hub)[u"fallbackOrder"_s].toArray(), (QJsonArray{u"openai"_s, u"ollama"_s}));

        // "Default" removes the app's override instead of storing an empty text.
        QTRY_VERIFY(!tab->state().isLoading());
        tab->rebuildNow();
        auto* picker = tab->findChild<QComboBox*>(u"override_orvane"_s);
        QCOMPARE(picker->currentText(), u"Llama"_s);
        picker->setCurrentIndex(0);
        Q_EMIT picker->activated(0);
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 2);
        QVERIFY(lastConfigSent(*hub)[u"appOverrides"_s].toObject().isEmpty());
    }

    void theDefaultModelIsSavedWhenChangedNotWhenLoaded()
    {
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json(
                    "{\"models\":[{\"id\":\"a\",\"provider\":\"ollama\",\"name\":\"A\",\"available\":true},"
                    "{\"id\":\"b\",\"provider\":\"ollama\",\"name\":\"B\",\"available\":true}],\"default\":"
                    "\"a\"}"));
        auto tab = showTab();
        QVERIFY(hub->requestsTo("PUT", "/api/ai/config").isEmpty()); // opening never saves
        auto* picker = tab->findChild<QComboBox*>(u"defaultModelPicker"_s);
        QCOMPARE(picker->currentText(), u"A (ollama)"_s);
        picker->setCurrentIndex(1);
        Q_EMIT picker->activated(1);
        // The save's reload brings "a" back (this Hub ignores it): that change is saved too, once.
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 2);
        const auto puts = hub->requestsTo("PUT", "/api/ai/config");
        QCOMPARE(QJsonDocument::fromJson(puts[0].body)[u"default"_s].toString(), u"b"_s);
        QCOMPARE(QJsonDocument::fromJson(puts[1].body)[u"default"_s].toString(), u"a"_s);
        QTRY_VERIFY(!tab->state().isLoading());
        QTest::qWait(100);
        QCOMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 2);
    }

    void usageAndTheErrorBanner()
    {
        hub->on(
            "GET",
            "/api/ai/usage",
            ScriptedReply::json(
                "{\"today\":{\"input_tokens\":1500,\"output_tokens\":2,\"cost_estimate\":0.005,\"count\":1},"
                "\"perApp\":{\"b\":{\"input_tokens\":999,\"output_tokens\":1,\"cost_estimate\":2.5,\"count\":"
                "2},"
                "\"a\":{\"input_tokens\":0,\"output_tokens\":0,\"cost_estimate\":0,\"count\":0}}}"));
        auto tab = showTab();
        const QList<QWidget*> cards = tab->findChildren<QWidget*>(u"usageCard"_s);
        QCOMPARE(cards.size(), 3);
        QCOMPARE(text(cards[0], "cost"), u"$0.0050"_s);
        QCOMPARE(cards[0]->findChild<ui::SymbolLabel*>(u"tokensIn"_s)->text(), u"1.5K in"_s);
        QCOMPARE(text(cards[0], "requests"), u"1 request"_s);
        QCOMPARE(text(cards[1], "cost"), u"(absent)"_s); // no summary: a dash
        QWidget* breakdown = tab->findChild<QWidget*>(u"perAppBreakdown"_s);
        QStringList cells;
        for (QLabel* label : breakdown->findChildren<QLabel*>())
            cells.append(label->text());
        QCOMPARE(cells,
                 QStringList({u"App"_s,
                              u"Requests"_s,
                              u"Tokens"_s,
                              u"Cost"_s,
                              u"a"_s,
                              u"0"_s,
                              u"0"_s,
                              u"$0.0000"_s,
                              u"b"_s,
                              u"2"_s,
                              u"1.0K"_s,
                              u"$2.50"_s}));

        hub->on("GET", "/api/ai/config", ScriptedReply::close());
        QVERIFY(await(tab->state().load()).succeeded());
        auto* banner = tab->findChild<ui::ErrorBanner*>();
        QVERIFY(banner->isVisible() && !banner->text().isEmpty());
    }

    void leavingTheTabWhileItLoadsIsSafe()
    {
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json("{\"models\":[]}").after(std::chrono::milliseconds(100)));
        auto* tab = new AISettingsTab(PageContext{*hubState, *store, *platform, hub->port(), {}, {}});
        tab->show();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/ai/models").size(), 1);
        ui::retire(tab);
        tab->deleteLater();
        // Every answer goes out, and the coroutines of the page that is gone resume to nothing.
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        QTest::qWait(100);
    }
};

ZANDREL_TEST(TestAISettingsTab)
#include "tst_ai_settings_tab.moc"
