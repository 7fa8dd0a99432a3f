// The Account page: the sign-in form's rules, login failure then success, the silent account fetch
// each time the page is shown and its late answers, the browser sign-in buttons, and leaving the page
// while a login is in flight.

#include "AsyncTest.h"
#include "MultiTest.h"
#include "PageFixture.h"
#include "hub_api/HubState.h"
#include "store/AccountView.h"
#include "store/OAuthButton.h"
#include "store/PendingSignIn.h"
#include "store/StoreService.h"
#include "ui/Label.h"
#include "ui/PageLife.h"

#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kProfile = R"({"id":"u1","email":"zed@zandrel.dev","display_name":"zed Doe"})";
const QByteArray kAuth = R"({"access_token":"tok-1","refresh_token":"ref-1",)"
                         R"("user":{"id":"u1","email":"zed@zandrel.dev","display_name":"zed Doe"}})";

} // namespace

class TestAccount : public QObject, PageFixture {
    Q_OBJECT

    std::unique_ptr<AccountView> makePage(const QString& website = u"https://store.example"_s)
    {
        auto page = std::make_unique<AccountView>(context(website));
        page->resize(600, 500);
        return page;
    }
    template <class T>
    static T* child(QWidget& page, const char* name)
    {
        return page.findChild<T*>(QLatin1String(name));
    }
    static bool showsSignedIn(QWidget& page)
    {
        return child<QStackedWidget>(page, "")->currentWidget()->objectName() == u"signedInView";
    }

private Q_SLOTS:
    void init()
    {
        setUp();
        hub->on("GET", "/api/store/auth/me", ScriptedReply::json(R"({"error":"not signed in"})", 401));
    }
    void cleanup() { tearDown(); }

    void formRulesThenAFailedAndASuccessfulLogin()
    {
        auto page = makePage();
        page->show();
        // The fetch on showing fails silently: the form stays, with no error.
        QTRY_COMPARE(hub->requestsTo("GET", "/api/store/auth/me").size(), 1);
        QTRY_COMPARE(hub->answered(), 1); // the refusal has been sent
        hub->settle();                    // and has arrived, changing nothing
        QVERIFY(!showsSignedIn(*page));
        auto* error = child<ui::Label>(*page, "signInError");
        QVERIFY(!error->isVisible());

        auto* email = child<QLineEdit>(*page, "emailField");
        auto* password = child<QLineEdit>(*page, "passwordField");
        auto* button = child<QPushButton>(*page, "signInButton");
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(!button->isEnabled());
        QTest::keyClicks(email, u" zed@zandrel.dev"_s);
        QVERIFY(!button->isEnabled());
        QTest::keyClicks(password, u"x"_s);
        QVERIFY(button->isEnabled());

        hub->once("POST", "/api/store/auth/login", ScriptedReply::json(R"({"error":"wrong password"})", 401));
        button->click();
        QVERIFY(page->isLoggingIn() && !button->isEnabled());
        QVERIFY(button->text().isEmpty() && button->accessibleName() == u"Sign In"_s); // a spinner, same name
        QTRY_VERIFY(!page->isLoggingIn());
        QCOMPARE(error->text(), uR"(API error 401: {"error":"wrong password"})"_s);
        QVERIFY(error->isVisible());
        QCOMPARE(error->palette().color(QPalette::WindowText),
                 ui::Theme::color(ui::NamedColor::Red, ui::Theme::palette()));
        // Sent as typed, and the fields keep their contents for a retry.
        const QJsonObject sent = hub->requestsTo("POST", "/api/store/auth/login").first().json();
        QCOMPARE(sent["email"].toString(), u" zed@zandrel.dev"_s);
        QCOMPARE(sent["password"].toString(), u"x"_s);
        QCOMPARE(email->text(), u" zed@zandrel.dev"_s);

        hub->once("POST", "/api/store/auth/login", ScriptedReply::json(kAuth).after(100ms));
        button->click();
        QVERIFY(!error->isVisible()); // cleared when the login starts
        QTRY_VERIFY(showsSignedIn(*page));
        QCOMPARE(child<QLabel>(*page, "displayName")->text(), u"zed Doe"_s);
        QCOMPARE(child<QLabel>(*page, "userEmail")->text(), u"zed@zandrel.dev"_s);
        QCOMPARE(store->authToken(), u"tok-1"_s);

        // Sign Out sends nothing and shows the form again, fields as they were.
        const qsizetype sentBefore = hub->requests().size();
        child<QPushButton>(*page, "signOutButton")->click();
        QVERIFY(!showsSignedIn(*page) && !store->authToken());
        QCOMPARE(hub->requests().size(), sentBefore);
        QCOMPARE(email->text(), u" zed@zandrel.dev"_s);
    }

    void returnInThePasswordFieldSignsInEvenWhenTheButtonIsDisabled()
    {
        auto page = makePage();
        page->show();
        hub->on("POST", "/api/store/auth/login", ScriptedReply::json(R"({"error":"no"})", 400));
        auto* password = child<QLineEdit>(*page, "passwordField");
        QTest::keyClicks(password, u"secret"_s);
        QVERIFY(!child<QPushButton>(*page, "signInButton")->isEnabled()); // no e-mail
        QTest::keyClick(password, Qt::Key_Return);
        QTRY_COMPARE(hub->requestsTo("POST", "/api/store/auth/login").size(), 1);
        QTRY_VERIFY(child<ui::Label>(*page, "signInError")->isVisible());
    }

    void showingThePageSignsInAndLateAnswersChangeNothing()
    {
        hub->on("GET", "/api/store/auth/me", ScriptedReply::json(kProfile));
        {
            auto page = makePage();
            page->show();
            QTRY_VERIFY(showsSignedIn(*page));
            // The initial is upper-cased; the avatar is the accent circle.
            QCOMPARE(child<QWidget>(*page, "avatar")->size(), QSize(72, 72));
            QCOMPARE(page->avatarInitial(), u"Z"_s);
            QCOMPARE(child<QLabel>(*page, "displayName")->text(), u"zed Doe"_s);
        }
        // A new page asks again; signing out while that request runs shows the form at once, and the
        // answer that arrives afterwards, for the sign-in that has ended, leaves it there.
        hub->on("GET", "/api/store/auth/me", ScriptedReply::json(kProfile).after(300ms));
        auto page = makePage();
        page->show();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/store/auth/me").size(), 2);
        child<QPushButton>(*page, "signOutButton")->click();
        QVERIFY(!showsSignedIn(*page));
        QTRY_COMPARE(hub->answered(), 2);
        hub->settle();
        QVERIFY(!showsSignedIn(*page) && !store->isLoggedIn() && !store->currentUser());

        // Shown twice in a row: the first fetch's answer, arriving last, does not replace the user.
        hub->once("GET",
                  "/api/store/auth/me",
                  ScriptedReply::json(R"({"id":"u0","email":"old@zandrel.dev","display_name":"Old"})")
                      .after(300ms));
        hub->on("GET", "/api/store/auth/me", ScriptedReply::json(kProfile));
        page->hide();
        page->show();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/store/auth/me").size(), 3);
        page->hide();
        page->show();
        QTRY_VERIFY(showsSignedIn(*page));
        QTRY_COMPARE(hub->answered(), 4);
        hub->settle();
        QCOMPARE(child<QLabel>(*page, "displayName")->text(), u"zed Doe"_s);
        QCOMPARE(store->currentUser()->email, u"zed@zandrel.dev"_s);
    }

    void providerButtonsOpenTheStoreWebsite()
    {
        auto page = makePage(u"http://127.0.0.1:9"_s);
        const QList<OAuthButton*> buttons = page->findChildren<OAuthButton*>();
        QCOMPARE(buttons.size(), 3);
        QStringList names;
        for (OAuthButton* button : buttons) {
            names.append(button->text());
            QVERIFY(!button->toolTip().isEmpty());
            button->click();
        }
        QCOMPARE(names, QStringList({u"Apple"_s, u"Google"_s, u"GitHub"_s}));
        QCOMPARE(platform->openedUrls,
                 QList<QUrl>({QUrl(u"http://127.0.0.1:9/auth/apple"_s),
                              QUrl(u"http://127.0.0.1:9/auth/google"_s),
                              QUrl(u"http://127.0.0.1:9/auth/github"_s)}));

        // An address that does not parse opens nothing.
        auto broken = makePage(u"http://exa mple.com"_s);
        platform->openedUrls.clear();
        broken->findChildren<OAuthButton*>().first()->click();
        QVERIFY(platform->openedUrls.isEmpty());
    }

    void leavingThePageWhileALoginRunsIsSafe()
    {
        hub->on("POST", "/api/store/auth/login", ScriptedReply::json(kAuth).after(150ms));
        auto* page = makePage().release();
        page->show();
        QTest::keyClicks(child<QLineEdit>(*page, "emailField"), u"a"_s);
        QTest::keyClicks(child<QLineEdit>(*page, "passwordField"), u"b"_s);
        child<QPushButton>(*page, "signInButton")->click();
        // As the window does it: retired at once, deleted later.
        ui::retire(page);
        page->deleteLater();
        // The answer still signs the service in; the page is gone and nothing touches it.
        QTRY_VERIFY(store->isLoggedIn());
    }

    void aFormLoginEndsAPendingBrowserSignInEvenAfterLeavingAndASignOutMeanwhileStands()
    {
        PendingSignIn pending;
        PageContext withPending = context(u"https://store.example"_s);
        withPending.pendingSignIn = &pending;
        hub->on("POST", "/api/store/auth/login", ScriptedReply::json(kAuth).heldBack());
        auto page = std::make_unique<AccountView>(withPending);
        page->show();
        child<QPushButton>(*page, "oauthGitHub")->click();
        QVERIFY(pending.isPending());
        QTest::keyClicks(child<QLineEdit>(*page, "emailField"), u"a"_s);
        QTest::keyClicks(child<QLineEdit>(*page, "passwordField"), u"b"_s);
        child<QPushButton>(*page, "signInButton")->click();
        QTRY_COMPARE(hub->requestsTo("POST", "/api/store/auth/login").size(), 1);
        ui::retire(page.get());
        page.reset();
        hub->release();
        QTRY_VERIFY(store->isLoggedIn());
        QVERIFY(!pending.isPending());

        // Signed out while the next login is on its way: the answer signs nobody in.
        store->signOut();
        hub->on("POST", "/api/store/auth/login", ScriptedReply::json(kAuth).heldBack());
        auto login = store->login(u"a"_s, u"b"_s);
        QTRY_COMPARE(hub->requestsTo("POST", "/api/store/auth/login").size(), 2);
        store->signOut();
        hub->release();
        QVERIFY(await(std::move(login)).succeeded());
        QVERIFY(!store->isLoggedIn() && !store->authToken());
    }
};

ZANDREL_TEST(TestAccount)
#include "tst_account.moc"
