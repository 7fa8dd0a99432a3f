// The window from the keyboard: Tab reads every page in order and reaches every control, the arrows
// move between cards in both grids, Return opens a card, Delete asks to uninstall, Escape closes the
// dialogs, every control has a name for a screen reader, and painted controls show their focus.

#include "PageFixture.h"
#include "PseudoLocale.h"
#include "app/AboutDialog.h"
#include "app/ContentView.h"
#include "app/Translations.h"
#include "installed/InstalledAppCard.h"
#include "installed/InstalledAppDetail.h"
#include "installed/InstalledAppsGrid.h"
#include "installed/Sidebar.h"
#include "installed/UninstallDialog.h"
#include "store/CategoryPill.h"
#include "store/StoreApp.h"
#include "store/StoreAppCard.h"
#include "store/StoreAppDetailSheet.h"
#include "store/StoreService.h"
#include "store/StoreView.h"
#include "ui/ElidedLabel.h"
#include "ui/ToggleSwitch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;
using Kind = SidebarItem::Kind;

namespace {

QByteArray storeApp(const QByteArray& slug)
{
    return R"({"slug":")" + slug + R"(","name":")" + slug +
           R"(","short_description":"About it","icon_url":"",)"
           R"("category":{"id":"c","name":"C","slug":"c","icon":"hammer"},"developer_name":"Zed",)"
           R"("price_cents":499,"is_free":false,"average_rating":4.5,"review_count":1,"download_count":7})";
}

// Where Tab goes from the widget that has the focus, round the window once: the objects met.
QList<QWidget*> tabChain(QWidget* start)
{
    start->setFocus(Qt::TabFocusReason);
    QList<QWidget*> chain{QApplication::focusWidget()};
    for (int step = 0; step < 100; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == chain.first())
            break;
        chain.append(QApplication::focusWidget());
    }
    return chain;
}

// What Tab must reach: every shown, enabled widget that takes the focus from Tab.
QList<QWidget*> tabStops(QWidget* window)
{
    QList<QWidget*> stops;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() == window && widget->isVisible() && widget->isEnabled() &&
            widget->focusPolicy() & Qt::TabFocus && !widget->focusProxy())
            stops.append(widget);
    }
    return stops;
}

QStringList names(const QList<QWidget*>& widgets)
{
    QStringList result;
    for (const QWidget* widget : widgets)
        result.append(widget->objectName());
    return result;
}

// What a screen reader can say for a control: its accessible name, else its own text.
QString spokenName(const QWidget* widget)
{
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* field = qobject_cast<const QLineEdit*>(widget))
        return field->placeholderText();
    if (const auto* picker = qobject_cast<const QComboBox*>(widget))
        return picker->currentText();
    return {};
}

QImage grabbed(QWidget* widget)
{
    widget->repaint();
    return widget->grab().toImage();
}

// What the fake Hub and the bundles bring: data, not texts of ours, and so never translated.
const QStringList kData = {
    u"Orvane"_s,
    u"Dulvet"_s,
    u"orvane"_s,
    u"dulvet"_s,
    u"Alpha"_s,
    u"alpha"_s,
    u"beta"_s,
    u"gamma"_s,
    u"delta"_s,
    u"epsilon"_s,
    u"Finance"_s,
    u"Llama"_s,
    u"ollama"_s,
    u"Ollama"_s,
    u"OpenAI"_s,
    u"openai"_s,
    u"Zed"_s,
    u"zed@zandrel.dev"_s,
    u"Faster"_s,
    u"read"_s,
    u"Dev"_s,
    // product names: ours, the sign-in services', and the libraries' the About dialog credits
    u"Zandrel Hub"_s,
    u"Zandrel"_s,
    u"Apple"_s,
    u"Google"_s,
    u"GitHub"_s,
    u"Qt 6"_s,
    u"QCoro"_s,
    u"simdjson"_s};

// Texts shown that did not come through the translation (no brackets of the pseudo-locale), and
// single-line labels and buttons too narrow for their longer text.
QStringList languageFaults(QWidget* root, bool marked = true)
{
    QStringList faults;
    const auto untranslated = [&](QWidget* widget, QString text) {
        if (!marked)
            return;
        text.remove(QRegularExpression(u"<[^>]*>"_s));
        if (text.startsWith(u'/') || text.startsWith(u'~'))
            return; // a path
        text.remove(QRegularExpression(u"\u27E6[^\u27E7]*\u27E7"_s));
        for (const QString& data : kData)
            text.remove(data);
        if (QRegularExpression(u"[A-Za-z]{2,}"_s).match(text).hasMatch())
            faults.append(u"not translated: "_s + widget->objectName() + u" \""_s + text + u'"');
    };
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->window()->windowType() == Qt::Popup)
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            untranslated(label, label->text());
            const bool elides = qobject_cast<ui::ElidedLabel*>(label) != nullptr;
            if (!label->wordWrap() && !elides && label->textFormat() != Qt::RichText &&
                !label->text().contains(u'<') &&
                label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width() + 1)
                faults.append(u"cut off: "_s + label->objectName() + u" \""_s + label->text() + u'"');
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            untranslated(button, button->text());
            if (!button->text().isEmpty() && button->sizeHint().width() > button->width() + 1)
                faults.append(u"cut off: "_s + button->objectName() + u" \""_s + button->text() + u'"');
        } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            untranslated(field, field->placeholderText());
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                untranslated(tabs, tabs->tabText(i));
        } else if (auto* area = qobject_cast<QScrollArea*>(widget)) {
            // A page wider than the window hides its right edge; only the pill strip scrolls sideways.
            if (area->objectName() != u"categoryStrip" && area->horizontalScrollBar()->maximum() > 0)
                faults.append(u"wider than the window: "_s + area->objectName());
        }
    }
    return faults;
}

} // namespace

class TestKeyboard : public QObject, PageFixture {
    Q_OBJECT

    void addBundles(const QStringList& names)
    {
        for (const QString& name : names)
            QVERIFY(QDir().mkpath(platform->appBundlePath(name)));
    }

    // A Hub with something on every page: two apps, a catalogue, updates, a provider, permissions.
    void scriptHub(bool signedIn)
    {
        hub->on("GET", "/api", ScriptedReply::json("{}"));
        hub->on("GET", "/api/apps", ScriptedReply::json(R"([{"id":"orvane","name":"Orvane"}])"));
        hub->on("GET",
                "/api/store/apps/categories",
                ScriptedReply::json(R"([{"slug":"finance","name":"Finance","icon":"chart.pie"}])"));
        hub->on("GET",
                "/api/store/apps",
                ScriptedReply::json(R"({"results":[)" + storeApp("alpha") + ',' + storeApp("beta") + ',' +
                                    storeApp("gamma") + ',' + storeApp("delta") + ',' + storeApp("epsilon") +
                                    "]}"));
        hub->on("GET",
                "/api/store/apps/alpha",
                ScriptedReply::json(
                    R"({"slug":"alpha","name":"Alpha","short_description":"s","description":"d",)"
                    R"("icon_url":"","category":{"id":"c","name":"C","slug":"c","icon":"hammer"},)"
                    R"("price_cents":0,"is_free":true,"average_rating":0,"review_count":0,)"
                    R"("download_count":0,"screenshots":[]})"));
        hub->on(
            "POST",
            "/api/store/apps/updates/check",
            ScriptedReply::json(R"({"updates":{"orvane":{"version":"2.0","url":"u","hash":"h","size":1,)"
                                R"("notes":"Faster","required":false},"dulvet":{"version":"3.1","url":"u",)"
                                R"("hash":"h","size":1,"notes":"","required":false}},"announcements":[]})"));
        hub->on("GET",
                "/api/store/auth/me",
                signedIn
                    ? ScriptedReply::json(R"({"id":"u1","email":"zed@zandrel.dev","display_name":"Zed"})")
                    : ScriptedReply::json(R"({"error":"not signed in"})", 401));
        hub->on("GET", "/api/ai/config", ScriptedReply::json(R"({"providers":{"ollama":{},"openai":{}}})"));
        hub->on("GET",
                "/api/ai/models",
                ScriptedReply::json(
                    R"({"models":[{"id":"l","provider":"ollama","name":"Llama","available":true}]})"));
        const QByteArray summary =
            R"({"input_tokens":52900,"output_tokens":18500,"cost_estimate":12.5,"count":1907})";
        hub->on("GET",
                "/api/ai/usage",
                ScriptedReply::json(R"({"today":)" + summary + R"(,"week":)" + summary + R"(,"month":)" +
                                    summary + R"(,"perApp":{"orvane":)" + summary + "}}"));
        hub->on("GET", "/api/ai/auth/status", ScriptedReply::json("[]"));
        hub->on("GET", "/api/permissions", ScriptedReply::json(R"({"orvane":{"read":true}})"));
        hub->on("GET",
                "/api/audit",
                ScriptedReply::json(R"([{"app":"orvane","action":"read","allowed":true,"endpoint":"/x"}])"));
    }

    // The window on one page, shown, active and with that page's content loaded.
    std::unique_ptr<ContentView> openPage(const QString& page, const QStringList& inPage)
    {
        addBundles({u"Orvane"_s, u"Dulvet"_s});
        scriptHub(page == u"account signed in");
        const QString section = page.section(u' ', 0, 0);
        const std::optional<SidebarItem> selection =
            section == u"app" ? SidebarItem::app(u"orvane"_s)
                              : SidebarItem::section(section == u"browse"     ? Kind::Store
                                                     : section == u"updates"  ? Kind::Updates
                                                     : section == u"account"  ? Kind::Account
                                                     : section == u"settings" ? Kind::Settings
                                                                              : Kind::MyApps);
        auto window = std::make_unique<ContentView>(context(), selection);
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            return nullptr;
        QWidget* current = window->currentPage();
        if (page.startsWith(u"settings")) {
            auto* tabs = current->findChild<QTabWidget*>(u"settingsTabs"_s);
            tabs->setCurrentIndex(page.endsWith(u"ai") ? 0 : page.endsWith(u"hub") ? 1 : 2);
        }
        // Each page's content, once its answers are in: every control the row expects is shown.
        const bool loaded = QTest::qWaitFor([&] {
            QStringList shown;
            for (const QWidget* widget : tabStops(window.get()))
                shown.append(widget->objectName());
            return std::all_of(inPage.cbegin(), inPage.cend(), [&](const QString& name) {
                return shown.count(name) >= inPage.count(name);
            });
        });
        if (!loaded)
            return nullptr;
        return window;
    }

    void addPages()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("inPage"); // the page's controls as Tab meets them
        const auto row = [](const char* page, const char* inPage) {
            QTest::newRow(page) << QString::fromLatin1(page)
                                << QString::fromLatin1(inPage).split(u' ', Qt::SkipEmptyParts);
        };
        row("my apps", "appCard openButton appCard openButton");
        row("app", "openButton uninstallButton");
        row("browse", "searchField categoryPill categoryPill storeGrid");
        row("updates", "updateAllButton updatesList");
        row("account signed out", "emailField passwordField oauthApple oauthGoogle oauthGitHub");
        row("account signed in", "signOutButton");
        row("settings ai",
            "settingsTabBar addProvider cardHeader cardHeader defaultModelPicker override_orvane "
            "fallbackList");
        row("settings hub", "settingsTabBar portField startAtLogin startStopButton revealButton");
        row("settings permissions",
            "settingsTabBar permissionSwitch permissionSwitch permissionSwitch refreshButton auditSearch "
            "auditAppFilter auditOutcomeFilter auditLog auditExport");
    }

private Q_SLOTS:
    void init() { setUp(); }
    void cleanup()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        tearDown();
    }

    void tabReadsEachPageInOrderAndEveryControlHasAName_data() { addPages(); }
    // The page and its dialogs in the language installed: what missed tr() (when marked) and what does
    // not fit the 800 x 550 window.
    void checkLanguage(const QString& page, const QStringList& inPage, bool marked)
    {
        auto window = openPage(page, inPage);
        QVERIFY(window);
        window->resize(800, 550);
        if (page == u"settings ai") { // the usage, which arrives last, is the widest part
            QTRY_VERIFY(window->findChild<QWidget*>(u"tokensIn"_s) &&
                        window->findChild<QWidget*>(u"tokensIn"_s)->isVisible());
        }
        // Laid out once the last answers are in: the faults must be gone by then, not at the first look.
        QStringList faults;
        QTRY_VERIFY2((faults = languageFaults(window.get(), marked)).isEmpty(),
                     qPrintable(faults.join(u'\n')));
        QWidget* dialog = nullptr;
        if (page == u"my apps") {
            dialog = window->showAbout();
        } else if (page == u"browse") {
            auto* store = qobject_cast<StoreView*>(window->currentPage());
            store->openDetail(0);
            QTRY_VERIFY(store->detailSheet() && store->detailSheet()->isVisible());
            QTRY_VERIFY(store->detailSheet()->findChild<QPushButton*>(u"installButton"_s));
            dialog = store->detailSheet();
        } else if (page == u"app") {
            window->currentPage()->findChild<QPushButton*>(u"uninstallButton"_s)->click();
            QTRY_VERIFY(window->findChild<UninstallDialog*>());
            dialog = window->findChild<UninstallDialog*>();
        }
        if (dialog) {
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTRY_VERIFY2((faults = languageFaults(dialog, marked)).isEmpty(), qPrintable(faults.join(u'\n')));
        }
    }

    void everyTextIsTranslatedAndFits_data() { addPages(); }
    // Under the pseudo-locale every text is marked and a third longer: one that is not marked missed
    // tr(), and one that is cut off would be in German too. The pages' dialogs are opened as well.
    void everyTextIsTranslatedAndFits()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, inPage);
        {
            PseudoLocale pseudo;
            QCoreApplication::installTranslator(&pseudo);
            const auto removed = qScopeGuard([&pseudo] { QCoreApplication::removeTranslator(&pseudo); });
            checkLanguage(page, inPage, true);
        }
        // The real German, whose words can be longer still than the pseudo-locale's, from a fresh start.
        tearDown();
        setUp();
        const auto english = qScopeGuard([] {
            Translations::removeAll();
            Translations::installEnglish();
        });
        Translations::install({u"de"_s});
        checkLanguage(page, inPage, false);
    }

    void tabReadsEachPageInOrderAndEveryControlHasAName()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, inPage);
        auto window = openPage(page, inPage);
        QVERIFY(window);
        const QList<QWidget*> chain = tabChain(window->sidebar());
        const QStringList expected =
            QStringList{u"sidebar"_s, u"aboutButton"_s} + inPage + QStringList{u"hubToggleButton"_s};
        QCOMPARE(names(chain).join(u' '), expected.join(u' '));
        // Each stop once, every stop there, and none hidden or turned off.
        for (QWidget* stop : tabStops(window.get()))
            QVERIFY2(chain.count(stop) == 1,
                     qPrintable(stop->objectName() + u" in "_s + stop->parent()->objectName()));
        for (QWidget* stop : chain)
            QVERIFY2(stop->isVisible() && stop->isEnabled(), qPrintable(stop->objectName()));
        // Shift+Tab reads it backwards.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), chain.last());

        // A screen reader has a name for every control, and a text for every item a view paints.
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy())
                continue;
            // A drop-down's own list is read through the drop-down.
            if (widget->window()->windowType() == Qt::Popup)
                continue;
            QVERIFY2(!spokenName(widget).trimmed().isEmpty(),
                     qPrintable(widget->objectName() + u" in "_s + widget->parent()->objectName()));
            // Painted items say what they show.
            const auto* view = qobject_cast<QAbstractItemView*>(widget);
            for (int row = 0; view && row < view->model()->rowCount(); ++row) {
                const QModelIndex item = view->model()->index(row, 0);
                if (!(item.flags() & Qt::ItemIsEnabled))
                    continue;
                const QString text = item.data(Qt::AccessibleTextRole).toString();
                QVERIFY2(!(text.isEmpty() ? item.data().toString() : text).isEmpty(),
                         qPrintable(view->objectName()));
            }
        }
    }

    void arrowsMoveBetweenCardsAndReturnOpensOne()
    {
        addBundles({u"Orvane"_s, u"Dulvet"_s, u"Kettavox"_s, u"Morrak"_s, u"Silvane"_s});
        scriptHub(false);
        ContentView window(context(), SidebarItem::section(Kind::MyApps));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Three to a row: 0 1 2 / 3 4.
        const QList<InstalledAppCard*> cards =
            qobject_cast<InstalledAppsGrid*>(window.currentPage())->cards();
        QCOMPARE(cards.size(), 5);
        cards[0]->setFocus();
        const auto press = [](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key);
            return QApplication::focusWidget();
        };
        QCOMPARE(press(Qt::Key_Right), cards[1]);
        QCOMPARE(press(Qt::Key_Down), cards[4]);
        QCOMPARE(press(Qt::Key_Down), cards[4]); // the last row
        QCOMPARE(press(Qt::Key_Up), cards[1]);
        QCOMPARE(press(Qt::Key_Left), cards[0]);
        QCOMPARE(press(Qt::Key_Left), cards[0]); // the row's start
        cards[2]->setFocus();
        QCOMPARE(press(Qt::Key_Right), cards[2]); // the row's end
        QCOMPARE(press(Qt::Key_Down), cards[4]);  // below it there is no card: the nearest one
        QTest::keyClick(cards[4], Qt::Key_Return);
        QTest::keyClick(cards[4], Qt::Key_Enter);
        QCOMPARE(platform->openedBundles, QStringList(2, cards[4]->app().path));

        // The store grid, across rows too; Return opens the current card's sheet, Escape closes it.
        window.setSelection(SidebarItem::section(Kind::Store));
        auto* store = qobject_cast<StoreView*>(window.currentPage());
        QTRY_COMPARE(store->content(), StoreView::Content::Grid);
        // The offscreen platform lets the window go when the focused page goes.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAbstractItemView* grid = store->grid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QCOMPARE(press(Qt::Key_Right), grid);
        QCOMPARE(grid->currentIndex().row(), 1);
        press(Qt::Key_Down);
        QCOMPARE(grid->currentIndex().row(), 4);
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        QCOMPARE(grid->currentIndex().row(), 0);
        QTest::keyClick(grid, Qt::Key_Return);
        QPointer<StoreAppDetailSheet> sheet = store->detailSheet();
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        QTRY_COMPARE(sheet->body(), StoreAppDetailSheet::Body::Content);
        QTest::keyClick(sheet, Qt::Key_Escape);
        QTRY_VERIFY(!sheet);
    }

    void deleteAsksToUninstallAndEscapeClosesTheDialogs()
    {
        addBundles({u"Orvane"_s});
        scriptHub(false);
        ContentView window(context(), SidebarItem::app(u"orvane"_s));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // From the sidebar too: the app shown is the one meant.
        window.sidebar()->setFocus();
        QTest::keyClick(window.sidebar(), Qt::Key_Delete);
        auto* detail = qobject_cast<InstalledAppDetail*>(window.currentPage());
        QPointer<UninstallDialog> confirmation = detail->confirmation();
        QVERIFY(confirmation && confirmation->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(confirmation));
        QTest::keyClick(confirmation, Qt::Key_Escape);
        QTRY_VERIFY(!confirmation);
        QVERIFY(QDir(platform->appBundlePath(u"Orvane"_s)).exists());
        QCOMPARE(window.currentPage(), detail);

        QPointer<AboutDialog> about = window.showAbout();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(!about);
    }

    void paintedControlsRingTheFocusAndSayTheirState_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void paintedControlsRingTheFocusAndSayTheirState()
    {
        QFETCH(bool, dark);
        if (dark) {
            QPalette palette(QColor(u"#2d2d2d"_s), QColor(u"#1e1e1e"_s));
            palette.setColor(QPalette::Highlight, QColor(u"#3d8ee6"_s));
            QApplication::setPalette(palette);
        }
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* pill = new CategoryPill(u"Finance"_s, u"chart.pie"_s);
        auto* toggle = new ui::ToggleSwitch;
        auto* card = new InstalledAppCard({u"Orvane"_s, u"/x/Orvane.app"_s}, *platform);
        card->setFixedWidth(180); // it takes its grid cell's width, and here there is no grid
        auto* other = new QPushButton(u"Elsewhere"_s);
        for (QWidget* widget : QList<QWidget*>{pill, toggle, card, other})
            layout->addWidget(widget);
        // Selected and on: filled with the accent, the ring must still show.
        pill->setSelected(true);
        toggle->setOn(true);
        QCOMPARE(pill->accessibleDescription(), u"Selected category"_s);
        QCOMPARE(toggle->accessibleDescription(), u"On"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (QWidget* control : QList<QWidget*>{pill, toggle, card}) {
            other->setFocus();
            const QImage plain = grabbed(control);
            control->setFocus();
            QVERIFY(control->hasFocus());
            QVERIFY2(grabbed(control) != plain, control->metaObject()->className());
        }
        toggle->click();
        QCOMPARE(toggle->accessibleDescription(), u"Off"_s);

        // The store card a delegate paints: ringed only when the view says it has the focus.
        StoreApp app;
        app.slug = u"alpha"_s;
        app.name = u"Alpha"_s;
        const auto paint = [&](bool focused) {
            QImage image(260, StoreAppCard::cardHeight(), QImage::Format_ARGB32_Premultiplied);
            image.fill(QApplication::palette().color(QPalette::Base));
            QPainter painter(&image);
            StoreAppCard::paintCard(&painter, image.rect(), app, QApplication::palette(), focused);
            return image;
        };
        const QImage focused = paint(true);
        QVERIFY(focused != paint(false));
        // The ring is the accent colour, whatever the palette.
        const QColor accent = QApplication::palette().color(QPalette::Highlight);
        QCOMPARE(focused.pixelColor(130, 1).rgb(), accent.rgb());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
