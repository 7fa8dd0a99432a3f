// What a web page can make a browser send to the Hub's port, and what the Hub must refuse: a foreign
// or missing Host (DNS rebinding), an Origin (a page's fetch or form), a body that is not JSON (a
// "simple" request that needs no preflight). Raw requests over a socket, since Qt's client always
// sends a good Host; the guard's parsing is also checked on its own.

#include "AsyncTest.h"
#include "HubProcess.h"
#include "RequestGuard.h"
#include "hub_api/HubAPIClient.h"
#include "store/StoreService.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

struct RawAnswer {
    int status = 0;
    QByteArray head; // the status line and headers
    QByteArray body;
};

} // namespace

class TestReferenceHubGuard : public QObject {
    Q_OBJECT

    std::unique_ptr<HubProcess> hub;

    // Sends the request exactly as given (the Hub's port substituted for "PORT") and reads the answer.
    RawAnswer send(QByteArray request)
    {
        request.replace("PORT", QByteArray::number(hub->port()));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, hub->port());
        if (!socket.waitForConnected(5000))
            return {};
        socket.write(request);
        QByteArray received;
        RawAnswer answer;
        // Until the head and as many body bytes as it announces are in.
        for (int round = 0; round < 100; ++round) {
            const qsizetype end = received.indexOf("\r\n\r\n");
            if (end >= 0) {
                answer.head = received.first(end);
                const auto length = QRegularExpression(u"(?i)content-length: *(\\d+)"_s)
                                        .match(QString::fromLatin1(answer.head));
                if (length.hasMatch() && received.size() - end - 4 >= length.captured(1).toInt()) {
                    answer.body = received.sliced(end + 4, length.captured(1).toInt());
                    answer.status = answer.head.mid(9, 3).toInt();
                    return answer;
                }
            }
            if (!socket.waitForReadyRead(100) && socket.state() != QAbstractSocket::ConnectedState)
                break;
            received += socket.readAll();
        }
        answer.status = -1;
        answer.head = received;
        return answer;
    }

    static QByteArray post(const QByteArray& path, const QByteArray& headers, const QByteArray& body = {})
    {
        return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\n" + headers +
               "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

    bool bundleExists(const QString& name) const
    {
        return QDir(hub->path(u"Applications/"_s + name + u".app"_s)).exists();
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

    void hostNamesAndMediaTypesAreParsed()
    {
        using hub::RequestGuard;
        for (const char* local : {"127.0.0.1",
                                  "127.0.0.1:3456",
                                  "LOCALHOST:1",
                                  "localhost",
                                  "[::1]:80",
                                  "[::1]",
                                  " localhost:3456 ",
                                  "LocalHost:"}) {
            QVERIFY2(RequestGuard::isLocalHost(local), local);
        }
        for (const char* foreign : {"",
                                    ":3456",
                                    "attacker.example",
                                    "localhost.",
                                    "localhost.attacker.example",
                                    "127.0.0.1.nip.io",
                                    "127.0.0.2",
                                    "127.0.0.1:80x",
                                    "127.0.0.1:1234567",
                                    "[::1",
                                    "::1",
                                    "[::2]:80",
                                    "[::1]x",
                                    "user@localhost",
                                    "localhost:80:80",
                                    "127.0.0.1 evil",
                                    "0.0.0.0"}) {
            QVERIFY2(!RequestGuard::isLocalHost(foreign), foreign);
        }
        for (const char* json : {"application/json",
                                 "Application/JSON",
                                 "application/json; charset=utf-8",
                                 " application/json ;x=y"}) {
            QVERIFY2(RequestGuard::isJson(json), json);
        }
        for (const char* other : {"",
                                  "text/plain",
                                  "application/x-www-form-urlencoded",
                                  "multipart/form-data",
                                  "application/jsonp",
                                  "text/plain; application/json",
                                  "application/json5"}) {
            QVERIFY2(!RequestGuard::isJson(other), other);
        }
    }

    void aForeignOrMissingHostIsRefusedWithoutRepeatingIt()
    {
        const QByteArray name = "attacker-rebind.example";
        for (const QByteArray& request :
             {"GET /api/ai/config HTTP/1.1\r\nHost: " + name + ":PORT\r\nConnection: close\r\n\r\n",
              "GET /api/audit HTTP/1.1\r\nHost: " + name + "\r\nConnection: close\r\n\r\n",
              "GET /api/permissions HTTP/1.1\r\nHost: " + name + ":PORT\r\nConnection: close\r\n\r\n",
              "GET /auth/github HTTP/1.1\r\nHost: " + name + ":PORT\r\nConnection: close\r\n\r\n",
              QByteArray("GET /api HTTP/1.1\r\nHost: \r\nConnection: close\r\n\r\n"),
              QByteArray("GET /api HTTP/1.1\r\nConnection: close\r\n\r\n"),
              QByteArray(
                  "GET /api HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nHost: evil\r\nConnection: close\r\n\r\n")}) {
            const RawAnswer answer = send(request);
            QVERIFY2(answer.status == 421, request.constData());
            QCOMPARE(QJsonDocument::fromJson(answer.body)["error"_L1].toString(),
                     u"This Hub answers only requests addressed to 127.0.0.1 or localhost"_s);
            QVERIFY(!answer.head.contains("attacker") && !answer.body.contains("attacker"));
            QVERIFY(!answer.head.contains("evil"));
            QVERIFY(!answer.head.toLower().contains("access-control-allow"));
        }
        // The machine's own names are served, in any case, the IPv6 loopback's too.
        for (const QByteArray host : {"LOCALHOST:PORT", "[::1]:PORT", "127.0.0.1"}) {
            const RawAnswer answer =
                send("GET /api HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n");
            QVERIFY2(answer.status == 200, host.constData());
        }
    }

    void pagesCannotInstallOrSwitchPermissions()
    {
        const QByteArray install = "/api/store/apps/morrak/install";
        const struct {
            const char* name;
            QByteArray headers;
            QByteArray body;
            int status;
        } attempts[] = {
            {"text/plain", "Content-Type: text/plain\r\n", "{}", 415},
            {"form", "Content-Type: application/x-www-form-urlencoded\r\n", "a=b", 415},
            {"multipart", "Content-Type: multipart/form-data; boundary=x\r\n", "--x--\r\n", 415},
            {"no type", "", "", 415},
            {"null origin", "Origin: null\r\nContent-Type: application/json\r\n", "", 403},
            {"foreign origin",
             "Origin: https://attacker.example\r\nContent-Type: application/json\r\n",
             "",
             403},
            {"other port", "Origin: http://127.0.0.1:1\r\nContent-Type: application/json\r\n", "", 403},
            {"encoded path", "Content-Type: text/plain\r\n", "", 415},
        };
        for (const auto& attempt : attempts) {
            const QByteArray path =
                qstrcmp(attempt.name, "encoded path") == 0 ? "/%61pi/store/apps/morrak/install" : install;
            const RawAnswer answer = send(post(path, attempt.headers, attempt.body));
            QVERIFY2(answer.status == attempt.status, attempt.name);
            QVERIFY(!answer.body.contains("attacker"));
            QVERIFY(!QJsonDocument::fromJson(answer.body)["error"_L1].toString().isEmpty());
        }
        QVERIFY(!bundleExists(u"Morrak"_s));

        // A page's switch of permissions is refused and changes nothing.
        const auto before = await(HubAPIClient(hub->port()).getPermissions());
        QVERIFY(before.succeeded());
        const QByteArray body = R"({"read":false,"write":false,"actions":false})";
        const RawAnswer put = send("PUT /api/permissions/Orvane HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\n"
                                   "Origin: https://attacker.example\r\nContent-Type: application/json\r\n"
                                   "Content-Length: " +
                                   QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        QCOMPARE(put.status, 403);
        QCOMPARE(QJsonDocument::fromJson(put.body)["error"_L1].toString(),
                 u"Requests from web pages are not accepted"_s);
        QCOMPARE(*await(HubAPIClient(hub->port()).getPermissions()).value, *before.value);

        // A preflight is refused and never allowed.
        const RawAnswer preflight =
            send("OPTIONS " + install +
                 " HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nOrigin: https://attacker.example\r\n"
                 "Access-Control-Request-Method: POST\r\nConnection: close\r\n\r\n");
        QVERIFY(preflight.status >= 400);
        QVERIFY(!preflight.head.toLower().contains("access-control-allow"));
        const RawAnswer bare =
            send("OPTIONS " + install + " HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nConnection: close\r\n\r\n");
        QCOMPARE(bare.status, 405);
        QVERIFY(!bare.head.toLower().contains("access-control-allow"));
    }

    void theChecksComeInTheirOrderForEveryMethod()
    {
        const auto statusOf = [&](const QByteArray& request) { return send(request).status; };
        // Reading is refused to a page too, not only changing.
        QCOMPARE(
            statusOf("GET /api/ai/config HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nOrigin: https://a.example\r\n"
                     "Connection: close\r\n\r\n"),
            403);
        // Host before Origin before Content-Type.
        QCOMPARE(statusOf(post("/api/store/apps/morrak/install",
                               "Origin: https://a.example\r\nContent-Type: text/plain\r\n")),
                 403);
        QCOMPARE(
            statusOf("POST /api/store/apps/morrak/install HTTP/1.1\r\nHost: a.example\r\n"
                     "Origin: https://a.example\r\nContent-Type: application/json\r\nContent-Length: 0\r\n"
                     "Connection: close\r\n\r\n"),
            421);
        QVERIFY(!bundleExists(u"Morrak"_s));
        // Every unsafe method needs JSON, before the router says what it accepts.
        for (const QByteArray method : {"DELETE", "PATCH", "PUT"}) {
            QVERIFY2(statusOf(method + " /api/permissions/Orvane HTTP/1.1\r\nHost: localhost:PORT\r\n"
                                       "Content-Length: 0\r\nConnection: close\r\n\r\n") == 415,
                     method.constData());
        }
        // Two of a header that decides are refused, whichever comes first.
        QCOMPARE(statusOf(post("/api/store/apps/morrak/install",
                               "Origin: http://127.0.0.1:PORT\r\nOrigin: https://a.example\r\n"
                               "Content-Type: application/json\r\n")),
                 403);
        QCOMPARE(statusOf(post("/api/store/apps/morrak/install",
                               "Content-Type: application/json\r\nContent-Type: text/plain\r\n")),
                 415);
        QVERIFY(!bundleExists(u"Morrak"_s));
        // Outside the API an Origin does not matter: the Hub's pages are pages.
        QCOMPARE(statusOf("GET /auth/github HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nOrigin: https://a.example\r\n"
                          "Connection: close\r\n\r\n"),
                 200);
    }

    void theHubsOwnClientsAndPagesKeepWorking()
    {
        // JSON with parameters and an empty body, from the Hub's own origin: installed.
        const RawAnswer own =
            send(post("/api/store/apps/morrak/install",
                      "Origin: http://localhost:PORT\r\nContent-Type: Application/JSON; charset=utf-8\r\n"));
        QVERIFY2(own.status == 200, own.body.constData());
        QVERIFY(bundleExists(u"Morrak"_s));
        // The application's own client.
        StoreService store(hub->baseUrl());
        const auto installed = await(store.installApp(u"grepling"_s));
        QVERIFY2(installed.succeeded(), qPrintable(installed.errorText()));
        QVERIFY(bundleExists(u"Grepling"_s));
        // The stand-in store website's page, which a browser opens with no Origin of its own.
        QCOMPARE(
            send("GET /auth/github HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nConnection: close\r\n\r\n").status,
            200);
        for (const char* site : {"none", "same-origin", " None "})
            QCOMPARE(send("GET /auth/github HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nSec-Fetch-Site: " +
                          QByteArray(site) + "\r\nConnection: close\r\n\r\n")
                         .status,
                     200);
    }

    void anotherPageCannotOpenTheSignInPageToPushOutSessions()
    {
        // An image or a frame on another site, or on another port of this machine: no session made.
        for (const char* site : {"cross-site", "same-site"}) {
            const RawAnswer answer = send(
                "GET /auth/github HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\nSec-Fetch-Site: " + QByteArray(site) +
                "\r\nConnection: close\r\n\r\n");
            QCOMPARE(answer.status, 403);
            QVERIFY(!answer.body.contains("zandrel://"));
        }
    }
};

QTEST_MAIN(TestReferenceHubGuard)
#include "tst_reference_hub_guard.moc"
