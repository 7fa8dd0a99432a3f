#include "FakeHub.h"

#include "AsyncTest.h"
#include "wire/HttpExchange.h"

#include <QPointer>
#include <QTcpSocket>
#include <QThreadPool>
#include <QTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace zandrel::test {

namespace {

constexpr char settlePath[] = "/__fake_hub_settle";

QByteArray routeKey(const QByteArray& method, const QByteArray& path)
{
    return method + ' ' + path;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 204:
        return "No Content";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

FakeHub::FakeHub(QObject* parent)
    : QObject(parent)
{
    connect(&server_, &QTcpServer::newConnection, this, &FakeHub::accept);
    if (!server_.listen(QHostAddress::LocalHost, 0))
        qFatal("FakeHub: cannot listen on the loopback address");
}

FakeHub::~FakeHub() = default;

QString FakeHub::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void FakeHub::on(const QByteArray& method, const QByteArray& path, ScriptedReply reply)
{
    standing_.insert(routeKey(method, path), std::move(reply));
}

void FakeHub::once(const QByteArray& method, const QByteArray& path, ScriptedReply reply)
{
    queued_[routeKey(method, path)].append(std::move(reply));
}

QList<RecordedRequest> FakeHub::requestsTo(const QByteArray& method, const QByteArray& path) const
{
    QList<RecordedRequest> matching;
    for (const RecordedRequest& r : requests_)
        if (r.method == method && r.path == path)
            matching.append(r);
    return matching;
}

int FakeHub::release(int count)
{
    const qsizetype taken = count < 0 ? held_.size() : qMin<qsizetype>(count, held_.size());
    const auto held = held_.mid(0, taken);
    held_.remove(0, taken);
    for (const auto& [socket, reply] : held) {
        if (socket)
            answer(socket, reply);
    }
    return int(held.size());
}

void FakeHub::settle()
{
    auto answered = watch(HttpExchange::send(HttpRequest{"GET", QUrl(baseUrl() + settlePath), {}, {}}));
    if (!QTest::qWaitFor([&] { return answered->done; }, 10000))
        qWarning("FakeHub: the settling exchange got no answer");
    // What the pool finished has posted its result to this thread; deliver it.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
}

quint16 FakeHub::unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

quint16 FakeHub::refusingPort()
{
    static const quint16 port = [] {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            qFatal("FakeHub: cannot bind a loopback port");
        return ntohs(address.sin_port); // the descriptor stays open until the process ends
    }();
    return port;
}

void FakeHub::accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void FakeHub::readFrom(QTcpSocket* socket)
{
    // Requests are small; keep the bytes on the socket until a whole request has arrived.
    QByteArray buffer = socket->property("zandrelBuffer").toByteArray() + socket->readAll();
    for (;;) {
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            break;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        RecordedRequest request;
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        const QByteArray target = requestLine.value(1);
        const qsizetype q = target.indexOf('?');
        request.path = q < 0 ? target : target.left(q);
        request.hasQuery = q >= 0;
        request.query = q < 0 ? QByteArray() : target.mid(q + 1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (buffer.size() < headerEnd + 4 + length)
            break;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, headerEnd + 4 + length);

        if (request.path == settlePath) {
            socket->write("HTTP/1.1 204 No Content\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
            continue;
        }
        request.answeredBefore = answered_;
        requests_.append(request);
        const ScriptedReply reply = replyFor(request);
        if (reply.held) {
            held_.append({QPointer<QTcpSocket>(socket), reply});
        } else if (reply.delay.count() > 0) {
            QPointer<QTcpSocket> guard(socket);
            QTimer::singleShot(reply.delay, this, [this, guard, reply] {
                if (guard)
                    answer(guard, reply);
            });
        } else {
            answer(socket, reply);
        }
    }
    socket->setProperty("zandrelBuffer", buffer);
}

ScriptedReply FakeHub::replyFor(const RecordedRequest& request)
{
    const QByteArray key = routeKey(request.method, request.path);
    auto queued = queued_.find(key);
    if (queued != queued_.end() && !queued->isEmpty())
        return queued->takeFirst();
    return standing_.value(key, ScriptedReply::json(R"({"error":"not found"})", 404));
}

void FakeHub::answer(QTcpSocket* socket, const ScriptedReply& reply)
{
    ++answered_;
    if (reply.closeWithoutAnswer) {
        socket->abort();
        return;
    }
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    if (!reply.contentType.isEmpty())
        head += "Content-Type: " + reply.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
    socket->write(head + reply.body);
    socket->disconnectFromHost();
}

} // namespace zandrel::test
