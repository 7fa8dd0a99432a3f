// The AI tab against a scripted Hub: the provider menu and cards, the three sign-in forms, keys and
// the clipboard, the fallback order, per-app models, usage, the error banner, and leaving mid-load.

#include "AsyncTest.h"
#include "MultiTest.h"
#include "PageFixture.h"
#include "hub_api/HubState.h"
#include "settings/AISettingsState.h"
#include "settings/AISettingsTab.h"
#include "settings/FallbackChainModel.h"
#include "settings/FallbackChainView.h"
#include "settings/ProviderCard.h"
#include "settings/UsageBar.h"
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
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

class TestAISettingsTab : public QObject, PageFixture {
    Q_OBJECT

    std::unique_ptr<AISettingsTab> showTab()
    {
        auto tab = std::make_unique<AISettingsTab>(context());
        tab->resize(640, 900);
        tab->show();
        if (!QTest::qWaitFor([&] {
                return !tab->state().isLoading() && !hub->requestsTo("GET", "/api/ai/config").isEmpty();
            }))
            qWarning("the AI tab did not finish loading");
        return tab;
    }
    static ProviderCard* card(AISettingsTab& tab, const QString& id) { return tab.card(id); }
    // Whether a control of a card would show with the card (hidden ones wait in place).
    template <class W>
    static bool shows(ProviderCard* card, const char* name)
    {
        W* widget = card->findChild<W*>(QLatin1String(name));
        return widget && widget->isVisibleTo(card);
    }
    static QString text(QWidget* in, const char* name)
    {
        auto* label = in ? in->findChild<QLabel*>(QLatin1String(name)) : nullptr;
        return label ? label->text() : u"(absent)"_s;
    }

private Q_SLOTS:
    void init()
    {
        setUp();
        hub->on("GET", "/api/ai/config", ScriptedReply::json("{}"));
        hub->on("GET", "/api/ai/models", ScriptedReply::json("{\"models\":[]}"));
        hub->on("GET", "/api/ai/usage", ScriptedReply::json("{}"));
        hub->on("GET", "/api/ai/auth/status", ScriptedReply::json("[]"));
        hub->on("PUT", "/api/ai/config", ScriptedReply::json("{}"));
        hub->on("POST", "/api/ai/test", ScriptedReply::json("{\"ok\":false,\"error\":\"bad key\"}"));
    }
    void cleanup() { tearDown(); }

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
        QVERIFY(tab->findChild<QLabel*>(u"noProviders"_s)->isVisible());
        QVERIFY(tab->findChild<QLabel*>(u"noModels"_s)->isVisible());
        // An empty report: three cards, each a dash.
        QCOMPARE(tab->findChildren<QWidget*>(u"usageCard"_s).size(), 3);
        for (QWidget* usage : tab->findChildren<QWidget*>(u"usageCard"_s))
            QVERIFY(usage->isVisible() && usage->findChild<QLabel*>(u"noSummary"_s)->isVisible());
        QVERIFY(!tab->findChild<QWidget*>(u"fallbackSection"_s)->isVisible());

        // Adding shows the provider at once, expanded, with an empty key; nothing is sent yet. The
        // menu offers it no more.
        add->menu()->actions()[1]->trigger();
        QVERIFY(card(*tab, u"openai"_s));
        QVERIFY(shows<QLineEdit>(card(*tab, u"openai"_s), "apiKeyField"));
        QCOMPARE(card(*tab, u"openai"_s)->findChild<QLineEdit*>(u"apiKeyField"_s)->text(), QString());
        QVERIFY(!add->menu()->actions()[1]->isVisible() && add->menu()->actions()[0]->isVisible());
        QVERIFY(!tab->findChild<QLabel*>(u"noProviders"_s)->isVisible());
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
        auto* cards = tab->findChild<QWidget*>(u"providersSection"_s);
        for (ProviderCard* each : tab->findChildren<ProviderCard*>())
            ids.append(each->id());
        std::sort(ids.begin(), ids.end(), [&](const QString& a, const QString& b) {
            return card(*tab, a)->mapTo(cards, QPoint()).y() < card(*tab, b)->mapTo(cards, QPoint()).y();
        });
        QCOMPARE(ids, QStringList({u"ollama"_s, u"openai"_s, u"zeta"_s}));
        QCOMPARE(text(card(*tab, u"ollama"_s), "statusBadge"), u"Connected"_s);
        QCOMPARE(text(card(*tab, u"ollama"_s), "modelCount"), u"1 model available"_s);
        QCOMPARE(text(card(*tab, u"openai"_s), "statusBadge"), u"Error"_s); // its test failed
        QCOMPARE(text(card(*tab, u"zeta"_s), "statusBadge"), u"No API Key"_s);
        QCOMPARE(text(card(*tab, u"zeta"_s), "providerName"), u"Zeta"_s);
        QCOMPARE(ProviderCard::icon(u"zeta"_s), u"server.rack"_s);

        // A screen reader hears the header's name, model count and status.
        auto* header = card(*tab, u"ollama"_s)->findChild<QToolButton*>(u"cardHeader"_s);
        QCOMPARE(header->accessibleName(), u"Ollama"_s);
        QVERIFY(header->accessibleDescription().contains(u"1 model available"_s) &&
                header->accessibleDescription().contains(u"Connected"_s));

        // Ollama: no key field, but Test, Save and Remove; another provider has the field, masked.
        ProviderCard* ollama = card(*tab, u"ollama"_s);
        header->click();
        QVERIFY(!ollama->findChild<QLineEdit*>(u"apiKeyField"_s));
        QVERIFY(shows<QPushButton>(ollama, "testButton") && shows<QPushButton>(ollama, "saveButton"));
        // One card open at a time: the other closes, gliding shut as it opened.
        card(*tab, u"zeta"_s)->findChild<QToolButton*>(u"cardHeader"_s)->click();
        QVERIFY(shows<QPushButton>(ollama, "testButton"));
        QTRY_VERIFY(!shows<QPushButton>(ollama, "testButton"));
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
        QVERIFY(!hub->requestsTo("PUT", "/api/ai/config")
                     .last()
                     .json()[u"providers"_s]
                     .toObject()
                     .contains(u"zeta"_s));
    }

    void theThreeSignInForms()
    {
        hub->on("GET", "/api/ai/config", ScriptedReply::json("{\"providers\":{\"anthropic\":{}}}"));
        hub->on("POST",
                "/api/ai/auth/start",
                ScriptedReply::json("{\"url\":\"http://127.0.0.1:1/consent\",\"state\":\"s\"}"));
        auto tab = showTab();
        tab->state().setExpandedProvider(u"anthropic"_s);
        const auto form = [&] {
            return card(*tab, u"anthropic"_s)
                ->findChild<QWidget*>(u"signInBlock"_s)
                ->property("form")
                .toString();
        };
        QCOMPARE(form(), u"signIn"_s);
        QVERIFY(!shows<QLineEdit>(card(*tab, u"anthropic"_s), "apiKeyField")); // until asked for
        card(*tab, u"anthropic"_s)->findChild<QToolButton*>(u"manualKeyToggle"_s)->click();
        QVERIFY(shows<QLineEdit>(card(*tab, u"anthropic"_s), "apiKeyField"));

        // While the start is on its way the button turns, and is still called what it does.
        hub->once("POST",
                  "/api/ai/auth/start",
                  ScriptedReply::json("{\"url\":\"http://127.0.0.1:1/consent\",\"state\":\"s\"}")
                      .after(std::chrono::milliseconds(200)));
        auto* start = card(*tab, u"anthropic"_s)->findChild<QPushButton*>(u"startSignIn"_s);
        start->click();
        QVERIFY(!start->isEnabled() && start->accessibleName() == u"Sign in with Claude"_s);
        QTRY_VERIFY(tab->state().oauthPendingState());
        QCOMPARE(form(), u"awaitingCode"_s);
        QVERIFY(shows<QWidget>(card(*tab, u"anthropic"_s), "oauthCodeField"));
        auto* submit = card(*tab, u"anthropic"_s)->findChild<QPushButton*>(u"submitButton"_s);
        QVERIFY(!submit->isEnabled()); // nothing pasted yet
        QTest::keyClicks(card(*tab, u"anthropic"_s)->findChild<QLineEdit*>(u"oauthCodeField"_s), u"abc"_s);
        QVERIFY(submit->isEnabled());

        hub->on("GET",
                "/api/ai/auth/status",
                ScriptedReply::json(
                    "[{\"provider\":\"anthropic\",\"authenticated\":true,\"email\":\"me@x.dev\"}]"));
        QVERIFY(await(tab->state().load()).succeeded());
        QCOMPARE(form(), u"signedIn"_s);
        QVERIFY(!shows<QWidget>(card(*tab, u"anthropic"_s), "startSignIn"));
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
        QListView* list = tab->fallbackList();
        QVERIFY(list->isVisible());
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->index(0, 0).data(FallbackChainModel::IdRole).toString(),
                 u"ollama"_s); // ascending until moved
        QCOMPARE(list->height(), 2 * 32 + 8);
        list->setFocus();
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(list->currentIndex().row(), 1); // the moved row stays the current one
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 1);
        QCOMPARE(hub->requestsTo("PUT", "/api/ai/config").last().json()[u"fallbackOrder"_s].toArray(),
                 (QJsonArray{u"openai"_s, u"ollama"_s}));
        // This Hub forgets the order: the reload shows its order, the same provider still current.
        QTRY_COMPARE(list->model()->index(0, 0).data(FallbackChainModel::IdRole).toString(), u"ollama"_s);
        QCOMPARE(list->currentIndex().data(FallbackChainModel::IdRole).toString(), u"ollama"_s);

        // "Default" removes the app's override instead of storing an empty text.
        QTRY_VERIFY(!tab->state().isLoading());
        auto* picker = tab->findChild<QComboBox*>(u"override_orvane"_s);
        QCOMPARE(picker->currentText(), u"Llama"_s);
        picker->setCurrentIndex(0);
        Q_EMIT picker->activated(0);
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 2);
        QVERIFY(
            hub->requestsTo("PUT", "/api/ai/config").last().json()[u"appOverrides"_s].toObject().isEmpty());
    }

    void aLongFallbackChainKeepsEveryEntry()
    {
        QStringList ids;
        for (int i = 0; i < 150; ++i)
            ids.append(u"p%1"_s.arg(i, 3, 10, QLatin1Char('0')));
        hub->on("GET",
                "/api/ai/config",
                ScriptedReply::json(
                    "{\"providers\":{\"openai\":{},\"ollama\":{}},\"fallbackOrder\":" +
                    QJsonDocument(QJsonArray::fromStringList(ids)).toJson(QJsonDocument::Compact) + "}"));
        auto tab = showTab();
        QListView* list = tab->fallbackList();
        QCOMPARE(list->model()->rowCount(), 150);
        QVERIFY(list->height() < 150 * 32); // it scrolls
        // A drag moves the last entry to the top through the model, as the view's drop does (a real
        // drag cannot be driven on the offscreen platform).
        QVERIFY(list->model()->moveRow({}, 149, {}, 0));
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 1);
        const QJsonArray sent =
            hub->requestsTo("PUT", "/api/ai/config").last().json()[u"fallbackOrder"_s].toArray();
        QCOMPARE(sent.size(), 150);
        QCOMPARE(sent.first().toString(), u"p149"_s);
        QCOMPARE(sent.last().toString(), u"p148"_s);
    }

    void theDefaultModelIsSavedWhenPickedNeverWhenLoaded()
    {
        const QByteArray models =
            "{\"models\":[{\"id\":\"a\",\"provider\":\"ollama\",\"name\":\"A\",\"available\":true},"
            "{\"id\":\"b\",\"provider\":\"ollama\",\"name\":\"B\",\"available\":true}],\"default\":\"a\"}";
        hub->on("GET", "/api/ai/models", ScriptedReply::json(models));
        // A first load that fails, then one that brings a default: neither is a change to save.
        auto tab = std::make_unique<AISettingsTab>(context());
        hub->on("GET", "/api/ai/config", ScriptedReply::close());
        QVERIFY(await(tab->state().load()).succeeded() && tab->state().error());
        hub->on("GET",
                "/api/ai/config",
                ScriptedReply::json("{\"providers\":{\"openai\":{\"apiKey\":\"sk-1\"}}}"));
        QVERIFY(await(tab->state().load()).succeeded());
        auto* picker = tab->findChild<QComboBox*>(u"defaultModelPicker"_s);
        QCOMPARE(picker->currentText(), u"A (ollama)"_s);

        // Picked while a load is on its way (the model list is slow): saved at once, and that load's
        // answer, older than the pick, does not bring the old default back.
        hub->once("GET", "/api/ai/models", ScriptedReply::json(models).heldBack());
        auto loading = watch(tab->state().load());
        QTRY_COMPARE(hub->heldCount(), 1);
        QVERIFY(tab->state().isLoading());
        // From now on the Hub has what the user picks.
        hub->on("GET", "/api/ai/models", ScriptedReply::json(QByteArray(models).replace("\"a\"}", "\"b\"}")));
        picker->setCurrentIndex(1);
        Q_EMIT picker->activated(1);
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 1);
        QCOMPARE(hub->requestsTo("PUT", "/api/ai/config").last().json()[u"default"_s].toString(), u"b"_s);
        QTRY_VERIFY(!tab->state().isLoading());
        hub->release(); // the old default, answered last
        QVERIFY(QTest::qWaitFor([&] { return loading->done; }));
        QTRY_VERIFY(!tab->state().isLoading() && hub->answered() == int(hub->requests().size()));
        QCOMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 1);
        QCOMPARE(picker->currentText(), u"B (ollama)"_s);
    }

    void whatTheUserHasOpenSurvivesALoad()
    {
        hub->on("GET",
                "/api/ai/config",
                ScriptedReply::json("{\"providers\":{\"openai\":{\"apiKey\":\"sk-1\"}}}"));
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json("{\"models\":[{\"id\":\"a\",\"provider\":\"openai\",\"name\":\"A\","
                                    "\"available\":true}],\"default\":\"a\"}"));
        auto tab = showTab();
        tab->state().setExpandedProvider(u"openai"_s);
        ProviderCard* openai = card(*tab, u"openai"_s);
        auto* test = openai->findChild<QPushButton*>(u"testButton"_s);
        auto* picker = tab->findChild<QComboBox*>(u"defaultModelPicker"_s);
        auto* add = tab->findChild<QToolButton*>(u"addProvider"_s);
        picker->showPopup();
        add->menu()->popup(add->mapToGlobal(QPoint(0, add->height())));
        QTRY_VERIFY(picker->view()->isVisible() && add->menu()->isVisible());

        // A slow test of the provider: its button turns and keeps its name. Meanwhile the Hub offers
        // another model, and a load brings it.
        hub->on("POST",
                "/api/ai/test",
                ScriptedReply::json("{\"ok\":true}").after(std::chrono::milliseconds(200)));
        test->click();
        QVERIFY(!test->isEnabled() && test->accessibleName() == u"Test Connection"_s);
        hub->on(
            "GET",
            "/api/ai/models",
            ScriptedReply::json("{\"models\":[{\"id\":\"a\",\"provider\":\"openai\",\"name\":\"A\","
                                "\"available\":true},{\"id\":\"c\",\"provider\":\"openai\",\"name\":\"C\","
                                "\"available\":true}],\"default\":\"a\"}"));
        QVERIFY(await(tab->state().load()).succeeded());
        QTRY_VERIFY(test->isEnabled() && hub->answered() == int(hub->requests().size()));

        // The same widgets, still open; the new model is there to pick, and the pick is saved.
        QCOMPARE(card(*tab, u"openai"_s), openai);
        QCOMPARE(openai->findChild<QPushButton*>(u"testButton"_s), test);
        QVERIFY(picker->view()->isVisible() && add->menu()->isVisible());
        QCOMPARE(text(openai, "modelCount"), u"2 models available"_s);
        QCOMPARE(picker->count(), 2);
        add->menu()->hide();
        picker->view()->setCurrentIndex(picker->model()->index(1, 0));
        QTest::keyClick(picker->view(), Qt::Key_Return);
        QTRY_COMPARE(hub->requestsTo("PUT", "/api/ai/config").size(), 1);
        QCOMPARE(hub->requestsTo("PUT", "/api/ai/config").last().json()[u"default"_s].toString(), u"c"_s);
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
        QVERIFY(!cards[1]->findChild<QLabel*>(u"cost"_s)->isVisibleTo(cards[1])); // no summary: a dash
        QVERIFY(cards[1]->findChild<QLabel*>(u"noSummary"_s)->isVisibleTo(cards[1]));
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
        // Beside the costs, bars: the largest spender's is full, and each tells its tokens and requests.
        const QList<UsageBar*> bars = breakdown->findChildren<UsageBar*>();
        QCOMPARE(bars.size(), 2);
        QCOMPARE(bars[0]->fraction(), 0.0);
        QCOMPARE(bars[1]->fraction(), 1.0);
        QCOMPARE(bars[1]->toolTip(), u"999 in, 1 out, 2 requests"_s);

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
        auto* tab = new AISettingsTab(context());
        tab->show();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/ai/models").size(), 1);
        ui::retire(tab);
        tab->deleteLater();
        // Every answer goes out, and the coroutines of the page that is gone resume to nothing.
        QTRY_COMPARE(hub->answered(), int(hub->requests().size()));
        hub->settle();
    }
};

ZANDREL_TEST(TestAISettingsTab)
#include "tst_ai_settings_tab.moc"
