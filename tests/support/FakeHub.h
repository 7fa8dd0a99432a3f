#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <chrono>

class QTcpSocket;

namespace zandrel::test {

// One request as the fake Hub received it.
struct RecordedRequest {
    QByteArray method;
    QByteArray path;  // as sent, still percent-encoded
    QByteArray query; // without "?", empty when there was none
    bool hasQuery = false;
    QMap<QByteArray, QByteArray> headers; // names lower-cased
    QByteArray body;
    int answeredBefore = 0; // answers the fake Hub had sent when this request arrived

    bool hasHeader(const QByteArray& name) const { return headers.contains(name.toLower()); }
    QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
    // The body read as a JSON object; empty when it is not one.
    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
};

// What the fake Hub answers to one request.
struct ScriptedReply {
    int status = 200;
    QByteArray body;
    std::chrono::milliseconds delay{0};
    bool closeWithoutAnswer = false; // drop the connection instead of answering
    QByteArray contentType = "application/json";
    bool held = false; // answered only when the test calls release()

    static ScriptedReply json(QByteArray body, int status = 200)
    {
        return {status, std::move(body), {}, false, "application/json"};
    }
    static ScriptedReply close() { return {0, {}, {}, true, {}}; }
    // Kept back until FakeHub::release(): the order of answers is the test's, not the clock's.
    ScriptedReply heldBack() const
    {
        ScriptedReply copy = *this;
        copy.held = true;
        return copy;
    }
    ScriptedReply after(std::chrono::milliseconds wait) const
    {
        ScriptedReply copy = *this;
        copy.delay = wait;
        return copy;
    }
};

// An in-process HTTP/1.1 server on a free loopback port that records every request and answers as a
// test scripted it. Unscripted requests get 404 with a JSON error body.
class FakeHub : public QObject {
    Q_OBJECT

public:
    explicit FakeHub(QObject* parent = nullptr);
    ~FakeHub() override;

    quint16 port() const { return server_.serverPort(); }
    QString baseUrl() const; // http://127.0.0.1:<port>

    // The standing answer for a method and path (the path without query).
    void on(const QByteArray& method, const QByteArray& path, ScriptedReply reply);
    // One-shot answers, used in order before the standing one.
    void once(const QByteArray& method, const QByteArray& path, ScriptedReply reply);

    const QList<RecordedRequest>& requests() const { return requests_; }
    // How many recorded requests have had their scripted answer (delayed ones count once sent).
    int answered() const { return answered_; }
    QList<RecordedRequest> requestsTo(const QByteArray& method, const QByteArray& path) const;
    void clearRequests() { requests_.clear(); }

    // One unrecorded exchange through the application's network manager, and the thread pool run dry:
    // Qt's network thread hands over its work in order, so the answers already sent (see answered())
    // have then reached the code that awaited them, also where it decoded them on the pool. A test
    // that shows a late answer is ignored waits on this before it looks.
    void settle();
    // Answers the first `count` requests whose replies are held back (all by default), in the order
    // they came; how many it answered.
    int release(int count = -1);
    int heldCount() const { return int(held_.size()); }

    // A free port for a server a test starts (bound once, then released: the server may find it
    // taken by then and should try another).
    static quint16 unusedPort();
    // A loopback port that refuses every connection for the rest of the process: it stays bound
    // without listening, so no other server can take it meanwhile.
    static quint16 refusingPort();

private:
    void accept();
    void readFrom(QTcpSocket* socket);
    ScriptedReply replyFor(const RecordedRequest& request);
    void answer(QTcpSocket* socket, const ScriptedReply& reply);

    QTcpServer server_;
    QMap<QByteArray, ScriptedReply> standing_;
    QMap<QByteArray, QList<ScriptedReply>> queued_;
    QList<RecordedRequest> requests_;
    int answered_ = 0;
    QList<std::pair<QPointer<QTcpSocket>, ScriptedReply>> held_;
};

} // namespace zandrel::test
