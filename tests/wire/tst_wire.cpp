// The record codec's rules and the HTTP exchange's failure reporting.

#include "AsyncTest.h"
#include "DecodeCheck.h"
#include "FakeHub.h"
#include "JsonConformance.h"
#include "PseudoTranslator.h"
#include "hub_api/AIConfig.h"
#include "store/StoreApp.h"
#include "store/StoreError.h"
#include "wire/HttpExchange.h"
#include "wire/JsonCodec.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <cmath>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

struct Sample {
    QString name;
    qint64 count = 0;
    double ratio = 0;
    bool flag = false;
    std::optional<QString> note;
    std::optional<QList<qint64>> values;

    static constexpr auto jsonFields()
    {
        return std::tuple{wire::field("name", &Sample::name),
                          wire::field("count", &Sample::count),
                          wire::field("ratio", &Sample::ratio),
                          wire::field("flag", &Sample::flag),
                          wire::field("note", &Sample::note),
                          wire::field("values", &Sample::values)};
    }
};

QByteArray catalogueWithPriceAt(int index, const QByteArray& price)
{
    QByteArray results;
    for (int i = 0; i < 5; ++i) {
        results += (i ? "," : "");
        results += R"({"slug":"a)" + QByteArray::number(i) +
                   R"(","name":"A","short_description":"s","icon_url":"u",)"
                   R"("category":{"id":"c","name":"C","slug":"c","icon":"hammer"},)"
                   R"("price_cents":)" +
                   (i == index ? price : QByteArray("0")) +
                   R"(,"is_free":true,"average_rating":4,"review_count":1,"download_count":2})";
    }
    return R"({"results":[)" + results + "]}";
}

// The decode error's message, or empty when the text parses.
QString parseFailure(const QByteArray& json)
{
    try {
        wire::parseJson(json);
    } catch (const DecodeError& e) {
        return e.message();
    }
    return {};
}

} // namespace

// An element so large that reserving a long list of it is more than any allocator grants, to see what
// a list reserves from a count not yet read.
struct LargeElement {
    std::array<char, 2 << 20> bytes;
};

namespace zandrel::wire {
template <>
struct JsonCodec<LargeElement> {
    template <class V>
    static void decode(const V& value, LargeElement&)
    {
        if (!value.isNumber())
            detail::fail(QT_TRANSLATE_NOOP("JsonCodec", "expected a number"));
    }
};
} // namespace zandrel::wire

class TestWire : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void requiredOptionalAndUnknownMembers()
    {
        const auto s = wire::decodeJson<Sample>(
            R"({"name":"n","count":3,"ratio":1,"flag":true,"note":null,"extra":{"deep":[1]}})");
        QCOMPARE(s.name, QStringLiteral("n"));
        QCOMPARE(s.count, 3);
        QCOMPARE(s.ratio, 1.0);
        QVERIFY(!s.note.has_value());
        QVERIFY(!s.values.has_value());

        QCOMPARE(decodeFailure<Sample>(R"({"count":3,"ratio":1,"flag":true})"),
                 QStringLiteral("name: missing"));
        QCOMPARE(decodeFailure<Sample>(R"({"name":null,"count":3,"ratio":1,"flag":true})"),
                 QStringLiteral("name: expected a string"));
        QCOMPARE(decodeFailure<Sample>(R"({"Name":"n","count":3,"ratio":1,"flag":true})"),
                 QStringLiteral("name: missing"));
        QCOMPARE(decodeFailure<Sample>(R"({"name":"n","count":3,"ratio":1,"flag":"true"})"),
                 QStringLiteral("flag: expected a boolean"));
        QCOMPARE(decodeFailure<Sample>(R"({"name":"n","count":3,"ratio":1,"flag":true,"note":7})"),
                 QStringLiteral("note: expected a string"));
        QCOMPARE(decodeFailure<Sample>(R"([])"), QStringLiteral("expected an object"));

        // A "number" takes whole numbers too, but not strings.
        QCOMPARE(wire::decodeJson<Sample>(R"({"name":"n","count":1,"ratio":4,"flag":false})").ratio, 4.0);
        QCOMPARE(decodeFailure<Sample>(R"({"name":"n","count":1,"ratio":"4","flag":false})"),
                 QStringLiteral("ratio: expected a number"));
    }

    void integersMustBeWholeNumbers_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("value");
        QTest::newRow("whole") << QByteArray("12") << true << qint64(12);
        QTest::newRow("zero") << QByteArray("0") << true << qint64(0);
        QTest::newRow("one") << QByteArray("1") << true << qint64(1);
        QTest::newRow("whole written as fraction") << QByteArray("3.0") << true << qint64(3);
        QTest::newRow("largest") << QByteArray("9223372036854775807") << true
                                 << std::numeric_limits<qint64>::max();
        QTest::newRow("whole with an exponent") << QByteArray("1e2") << true << qint64(100);
        QTest::newRow("smallest") << QByteArray("-9223372036854775808") << true
                                  << std::numeric_limits<qint64>::min();
        QTest::newRow("fraction") << QByteArray("12.5") << false << qint64(0);
        QTest::newRow("beyond the signed range") << QByteArray("9223372036854775808") << false << qint64(0);
        QTest::newRow("too large") << QByteArray("1e19") << false << qint64(0);
        QTest::newRow("beyond 64 bits") << QByteArray("123456789012345678901234567890") << false << qint64(0);
        QTest::newRow("string") << QByteArray("\"12\"") << false << qint64(0);
    }
    void integersMustBeWholeNumbers()
    {
        QFETCH(QByteArray, count);
        QFETCH(bool, accepted);
        QFETCH(qint64, value);
        const QByteArray json = R"({"name":"n","ratio":1,"flag":true,"count":)" + count + "}";
        if (accepted) {
            QCOMPARE(wire::decodeJson<Sample>(json).count, value);
        } else {
            QCOMPARE(decodeFailure<Sample>(json), QStringLiteral("count: expected an integer"));
        }
    }

    void recordsReadTheTextAsWritten()
    {
        // A byte-order mark starting a string stays, the last of a repeated member counts, a number
        // too small for a double reads as 0 and one too long for 64 bits as the nearest double.
        const auto s =
            wire::decodeJson<Sample>("{\"name\":\"\xEF\xBB\xBFn\",\"flag\":\"x\",\"flag\":true,"
                                     "\"count\":1,\"ratio\":1e-400,\"ratio\":"
                                     "123456789012345678901234567890,\"note\":\"\\ud83d\\ude00\"}");
        QCOMPARE(s.name, QStringLiteral(u"\uFEFFn"));
        QVERIFY(s.flag);
        QCOMPARE(s.ratio, 1.2345678901234568e29);
        QCOMPARE(s.note, QStringLiteral(u"\U0001F600"));
        const auto zero = wire::decodeJson<Sample>(R"({"name":"","count":1,"flag":true,"ratio":-1e-400})");
        QVERIFY(zero.ratio == 0.0 && !std::signbit(zero.ratio));
        QVERIFY(!std::signbit(
            wire::decodeJson<Sample>(R"({"name":"","count":1,"flag":true,"ratio":-0.0})").ratio));
        // Every mark starting a string stays, escaped or not.
        QCOMPARE(wire::decodeJson<QList<QString>>("[\"\xEF\xBB\xBF\xEF\xBB\xBFx\",\"\\uFEFF\xEF\xBB\xBF\"]"),
                 (QList<QString>{QStringLiteral(u"\uFEFF\uFEFFx"), QStringLiteral(u"\uFEFF\uFEFF")}));
    }

    void errorPathNamesWhereAndWhy()
    {
        try {
            wire::decodeJson<PaginatedStoreApps>(catalogueWithPriceAt(3, "1.5"));
            QFAIL("decoded a fractional price");
        } catch (const DecodeError& e) {
            QCOMPARE(e.message(), QStringLiteral("results[3].price_cents: expected an integer"));
            QVERIFY(e.description().contains(e.message()));
        }
        try {
            wire::decodeJson<AIConfig>(R"({"providers":{"openai":{"models":[{"id":"a"},{"name":"b"}]}}})");
            QFAIL("decoded a model without id");
        } catch (const DecodeError& e) {
            QCOMPARE(e.message(), QStringLiteral("providers.openai.models[1].id: missing"));
        }
        try {
            wire::decodeJson<QList<QList<qint64>>>("[[1],[2,\"x\"]]");
            QFAIL("decoded a string as integer");
        } catch (const DecodeError& e) {
            QCOMPARE(e.message(), QStringLiteral("[1][1]: expected an integer"));
        }
    }

    void aLongListReservesNoMoreThanItsFirstElementsNeed()
    {
        // A million elements that are not what they claim: reserving them all would ask for 2 TiB
        // before the first one was read.
        QByteArray text = "[";
        for (int i = 0; i < 1000000; ++i)
            text += "true,";
        text.back() = ']';
        try {
            wire::decodeJson<QList<LargeElement>>(text);
            QFAIL("decoded booleans as numbers");
        } catch (const DecodeError& e) {
            QCOMPARE(e.message(), u"[0]: expected a number"_s);
        }
    }

    void encodingLeavesAbsentOptionalsOut()
    {
        Sample s;
        s.name = QStringLiteral("n");
        s.count = 9007199254740993; // not exactly representable as a double
        QCOMPARE(wire::encodeJson(s),
                 QByteArray(R"({"count":9007199254740993,"flag":false,"name":"n","ratio":0})"));
        s.note = QStringLiteral("x");
        s.values = QList<qint64>{1, 2};
        const auto back = wire::decodeJson<Sample>(wire::encodeJson(s));
        QCOMPARE(back.count, s.count);
        QCOMPARE(back.note, s.note);
        QCOMPARE(back.values, s.values);
    }

    void parseJsonAcceptsAnyTopLevelValue()
    {
        QCOMPARE(wire::parseJson("5").toInteger(), 5);
        QCOMPARE(wire::parseJson(" \"s\" ").toString(), QStringLiteral("s"));
        QVERIFY(wire::parseJson("null").isNull());
        QVERIFY(wire::parseJson("[]").isArray());
        for (const QByteArray& bad : {QByteArray(""),
                                      QByteArray("   "),
                                      QByteArray("1,2"),
                                      QByteArray("{\"a\":"),
                                      QByteArray("<html>oops</html>"),
                                      QByteArray("]")})
            QVERIFY2(!parseFailure(bad).isEmpty(), bad.constData());
    }

    void onlyStrictJsonIsRead()
    {
        for (const JsonCase& c : jsonConformanceCases()) {
            const QString failure = parseFailure(c.document);
            QVERIFY2(failure.isEmpty() == c.valid,
                     qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") + failure));
        }

        // The refusal says what is wrong.
        QCOMPARE(
            parseFailure(permissionsBodyWith(".5")),
            QStringLiteral("not valid JSON: a value, comma, colon or bracket is missing or out of place"));
        QCOMPARE(parseFailure(permissionsBodyWith("\"\\ud800\"")),
                 QStringLiteral("not valid JSON: a string holds an invalid escape or a lone surrogate"));
        QCOMPARE(parseFailure("\xEF\xBB\xBF{}"),
                 QStringLiteral("not valid JSON: it starts with a byte-order mark"));
        QCOMPARE(parseFailure("[\"\xFF\"]"), QStringLiteral("not valid JSON: the text is not valid UTF-8"));

        // A byte-order mark starting a string or a key is part of it (Qt's parser alone drops it).
        const QJsonObject marked = wire::parseJson("{\"\xEF\xBB\xBF"
                                                   "k\":\"\xEF\xBB\xBF"
                                                   "v\"}")
                                       .toObject();
        QCOMPARE(marked.value(u"\uFEFFk").toString(), QStringLiteral(u"\uFEFFv"));
        // Also after another character starting with the same byte, after an escaped backslash, and in
        // a bare top-level string.
        QCOMPARE(wire::parseJson("[\"\xEF\xBC\x81\xEF\xBB\xBF\"]").toArray().at(0).toString(),
                 QStringLiteral(u"\uFF01\uFEFF"));
        QCOMPARE(wire::parseJson("[\"\\\\\xEF\xBB\xBF\"]").toArray().at(0).toString(),
                 QStringLiteral(u"\\\uFEFF"));
        QCOMPARE(wire::parseJson("\"\xEF\xBB\xBF"
                                 "x\"")
                     .toString(),
                 QStringLiteral(u"\uFEFFx"));

        // What the accepted corner cases read as: the last of repeated keys, a huge integer as the
        // nearest double (an integer field refuses it).
        QCOMPARE(wire::parseJson("{\"a\":1,\"a\":2}").toObject().value(u"a").toInteger(), 2);
        QCOMPARE(wire::parseJson("[123456789012345678901234567890]").toArray().at(0).toDouble(),
                 1.2345678901234568e29);
    }

    void transportFailuresAreDescribed()
    {
        const quint16 port = FakeHub::refusingPort();
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/api").arg(port));
        const auto refused = await(HttpExchange::send(HttpRequest{"GET", url, {}, {}}));
        QVERIFY(refused.done);
        QVERIFY(refused.errorAs<TransportError>());
        QCOMPARE(refused.errorText(),
                 QStringLiteral("Could not reach the Hub at 127.0.0.1:%1: connection refused").arg(port));

        FakeHub hub;
        hub.on("GET", "/api", ScriptedReply::close());
        const auto closed =
            await(HttpExchange::send(HttpRequest{"GET", QUrl(hub.baseUrl() + "/api"), {}, {}}));
        QVERIFY(closed.errorAs<TransportError>());
        QVERIFY(closed.errorText().contains(QStringLiteral("127.0.0.1:%1").arg(hub.port())));
    }

    // Each failure reads as whole sentences of the catalogue, with the path, address or status in its place;
    // the path still grows as the error travels outwards.
    void failuresAreTranslatedAsWholeTexts()
    {
        PseudoTranslator german({
            {{"DecodeError", "Unexpected answer from the Hub: %1"}, u"Unerwartete Antwort vom Hub: %1"_s},
            {{"JsonCodec", "expected an integer"}, u"Ganzzahl erwartet"_s},
            {{"JsonCodec", "missing"}, u"fehlt"_s},
            {{"StoreError", "API error %1: %2"}, u"API-Fehler %1: %2"_s},
            {{"HttpExchange", "Could not reach the Hub at %1: connection refused"},
             u"Hub unter %1 nicht erreichbar: Verbindung abgelehnt"_s},
        });
        try {
            wire::decodeJson<PaginatedStoreApps>(catalogueWithPriceAt(3, "1.5"));
            QFAIL("decoded a fractional price");
        } catch (const DecodeError& e) {
            QCOMPARE(e.description(),
                     u"Unerwartete Antwort vom Hub: results[3].price_cents: Ganzzahl erwartet"_s);
        }
        try {
            wire::decodeJson<AIConfig>(R"({"providers":{"openai":{"models":[{"name":"b"}]}}})");
            QFAIL("decoded a model without id");
        } catch (const DecodeError& e) {
            QCOMPARE(e.message(), u"providers.openai.models[0].id: fehlt"_s);
        }
        QCOMPARE(StoreError(404, u"no such app"_s).description(), u"API-Fehler 404: no such app"_s);

        const quint16 port = FakeHub::refusingPort();
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/api").arg(port));
        const auto refused = await(HttpExchange::send(HttpRequest{"GET", url, {}, {}}));
        QCOMPARE(refused.errorText(),
                 u"Hub unter 127.0.0.1:%1 nicht erreichbar: Verbindung abgelehnt"_s.arg(port));
    }

    void slowAnswersTimeOut()
    {
        FakeHub hub;
        hub.on("GET", "/api", ScriptedReply::json("{}").after(3s));
        HttpExchange::setTimeout(300ms);
        const auto slow = await(HttpExchange::send(HttpRequest{"GET", QUrl(hub.baseUrl() + "/api"), {}, {}}));
        HttpExchange::setTimeout(60s);
        QVERIFY(slow.errorAs<TransportError>());
        QVERIFY2(slow.errorText().contains(QStringLiteral("did not answer")), qPrintable(slow.errorText()));
    }

    void aTricklingAnswerTimesOutAsAWhole()
    {
        // Headers, then a byte now and then: each byte would start the transfer time-out again.
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QTimer trickle;
        QPointer<QTcpSocket> client;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            client = server.nextPendingConnection();
            client->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 60\r\n\r\n");
            trickle.start(50);
        });
        connect(&trickle, &QTimer::timeout, this, [&] {
            if (client)
                client->write(" ");
        });
        HttpExchange::setTimeout(400ms);
        const auto slow = await(HttpExchange::send(
            HttpRequest{"GET", QUrl(u"http://127.0.0.1:%1/api"_s.arg(server.serverPort())), {}, {}}));
        HttpExchange::setTimeout(60s);
        QVERIFY(slow.errorAs<TransportError>());
        QCOMPARE(slow.errorAs<TransportError>()->kind(), TransportError::Kind::TimedOut);
    }

    void aHeaderWithALineBreakIsNeverSent()
    {
        FakeHub hub;
        hub.on("GET", "/api", ScriptedReply::json("{}"));
        for (const QByteArray& value :
             {QByteArray("Bearer a\r\nX-Evil: 1"), QByteArray("a\nb"), QByteArray("a\0b", 3)}) {
            const auto sent = await(HttpExchange::send(
                HttpRequest{"GET", QUrl(hub.baseUrl() + "/api"), {{"Authorization", value}}, {}}));
            QVERIFY(sent.errorAs<InvalidRequestError>());
            QCOMPARE(sent.errorText(),
                     u"The request was not sent: its Authorization header holds a line break"_s);
        }
        QVERIFY(hub.requests().isEmpty());
    }

    void hugeAnswersAreCutOff()
    {
        FakeHub hub;
        hub.on("GET", "/api/apps", ScriptedReply::json(QByteArray(HttpExchange::maxBodyBytes + 1024, ' ')));
        const auto huge =
            await(HttpExchange::send(HttpRequest{"GET", QUrl(hub.baseUrl() + "/api/apps"), {}, {}}));
        QVERIFY(huge.errorAs<BadServerResponseError>());
        // The cut-off reply is released, not left to the manager until the process ends.
        QTRY_VERIFY(HttpExchange::networkManager().findChildren<QNetworkReply*>().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWire)
#include "tst_wire.moc"
