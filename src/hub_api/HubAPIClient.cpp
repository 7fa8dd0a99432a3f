#include "hub_api/HubAPIClient.h"

#include "hub_api/HubRequests.h"
#include "wire/HttpExchange.h"

#include <QCoreApplication>
#include <QUrlQuery>

namespace zandrel {

namespace {

const QByteArray kJson = QByteArrayLiteral("application/json");

HttpRequest jsonRequest(QByteArray method, QUrl url, QByteArray body)
{
    return HttpRequest{std::move(method), std::move(url), {{"Content-Type", kJson}}, std::move(body)};
}

template <class T>
QCoro::Task<T> getDecoded(QUrl url)
{
    HttpRequest request{"GET", std::move(url), {}, {}};
    const HttpResponse response = co_await HttpExchange::send(std::move(request));
    co_return wire::decodeJson<T>(response.body);
}

template <class T>
QCoro::Task<T> postDecoded(QUrl url, QByteArray body)
{
    HttpRequest request = jsonRequest("POST", std::move(url), std::move(body));
    const HttpResponse response = co_await HttpExchange::send(std::move(request));
    co_return wire::decodeJson<T>(response.body);
}

// The Hub confirms a stored change with exactly 200; anything else may or may not have been applied.
QCoro::Task<> putExpecting200(QUrl url, QByteArray body)
{
    HttpRequest request = jsonRequest("PUT", std::move(url), std::move(body));
    const HttpResponse response = co_await HttpExchange::send(std::move(request));
    if (response.status != 200)
        throw BadServerResponseError(
            response.status == 0
                ? QCoreApplication::translate("HubAPIClient",
                                              "The Hub's answer to the change was not an HTTP response")
                : QCoreApplication::translate("HubAPIClient",
                                              "The Hub did not confirm the change (HTTP status %1)")
                      .arg(response.status));
}

} // namespace

HubAPIClient::HubAPIClient(int port)
    : port_(port)
    , baseURL_(QStringLiteral("http://127.0.0.1:%1/api").arg(port), QUrl::StrictMode)
{}

QString HubAPIClient::pathSegment(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        throw InvalidRequestError(
            QCoreApplication::translate("HubAPIClient", "\"%1\" is not a valid app name").arg(name));
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QUrl HubAPIClient::endpoint(const QString& encodedPath) const
{
    if (!baseURL_.isValid())
        throw InvalidRequestError(QCoreApplication::translate("HubAPIClient", "The Hub port is not valid"));
    return QUrl(baseURL_.toString(QUrl::FullyEncoded) + u'/' + encodedPath, QUrl::StrictMode);
}

QCoro::Task<bool> HubAPIClient::isRunning() const
{
    const HubProbe found = co_await probe();
    co_return found.outcome == HubProbe::Outcome::Running;
}

QCoro::Task<HubProbe> HubAPIClient::probe() const
{
    using Outcome = HubProbe::Outcome;
    const QUrl url = baseURL_;
    if (port_ < 1 || port_ > 65535 || !url.isValid())
        co_return HubProbe{Outcome::InvalidPort};
    try {
        HttpRequest request{"GET", url, {}, {}};
        const HttpResponse response = co_await HttpExchange::send(std::move(request));
        if (response.status == 200)
            co_return HubProbe{Outcome::Running, 200};
        // Status 0: bytes came back, but not an HTTP answer.
        co_return response.status == 0 ? HubProbe{Outcome::OtherProgram}
                                       : HubProbe{Outcome::NotTheHub, response.status};
    } catch (const TransportError& e) {
        switch (e.kind()) {
        case TransportError::Kind::Refused:
            co_return HubProbe{Outcome::NothingListening};
        case TransportError::Kind::ClosedEarly:
            co_return HubProbe{Outcome::OtherProgram};
        default:
            co_return HubProbe{Outcome::Failed, 0, e.description()};
        }
    } catch (...) {
        co_return HubProbe{Outcome::Failed, 0, describeException(std::current_exception())};
    }
}

QCoro::Task<QList<AppInfo>> HubAPIClient::getApps() const
{
    const QUrl url = endpoint(QStringLiteral("apps"));
    co_return co_await getDecoded<QList<AppInfo>>(url);
}

QCoro::Task<QList<SessionEntry>> HubAPIClient::getSessions(QString app) const
{
    const QUrl url = endpoint(QStringLiteral("apps/") + pathSegment(app) + QStringLiteral("/sessions"));
    co_return co_await getDecoded<QList<SessionEntry>>(url);
}

QCoro::Task<AIConfig> HubAPIClient::getAIConfig() const
{
    const QUrl url = endpoint(QStringLiteral("ai/config"));
    co_return co_await getDecoded<AIConfig>(url);
}

QCoro::Task<> HubAPIClient::updateAIConfig(AIConfig config) const
{
    const QUrl url = endpoint(QStringLiteral("ai/config"));
    const QByteArray body = wire::encodeJson(config);
    co_await putExpecting200(url, body);
}

QCoro::Task<AIModelsResponse> HubAPIClient::getAIModels() const
{
    const QUrl url = endpoint(QStringLiteral("ai/models"));
    co_return co_await getDecoded<AIModelsResponse>(url);
}

QCoro::Task<AITestResult> HubAPIClient::testProvider(QString provider,
                                                     std::optional<QString> apiKey,
                                                     std::optional<QString> baseUrl) const
{
    const QUrl url = endpoint(QStringLiteral("ai/test"));
    const ProviderTestRequest body{std::move(provider), std::move(apiKey), std::move(baseUrl)};
    const QByteArray bytes = wire::encodeJson(body);
    co_return co_await postDecoded<AITestResult>(url, bytes);
}

QCoro::Task<UsageResponse> HubAPIClient::getAIUsage() const
{
    const QUrl url = endpoint(QStringLiteral("ai/usage"));
    co_return co_await getDecoded<UsageResponse>(url);
}

QCoro::Task<PermissionMap> HubAPIClient::getPermissions() const
{
    const QUrl url = endpoint(QStringLiteral("permissions"));
    HttpRequest request{"GET", url, {}, {}};
    const HttpResponse response = co_await HttpExchange::send(std::move(request));
    co_return parsePermissions(response.body);
}

QCoro::Task<> HubAPIClient::updatePermissions(QString app, PermissionSet perms) const
{
    const QUrl url = endpoint(QStringLiteral("permissions/") + pathSegment(app));
    const QByteArray body = wire::encodeJson(perms);
    co_await putExpecting200(url, body);
}

QCoro::Task<QList<AuditEntry>> HubAPIClient::getAuditLog(int limit) const
{
    QUrl url = endpoint(QStringLiteral("audit"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("limit"), QString::number(limit));
    url.setQuery(query);
    co_return co_await getDecoded<QList<AuditEntry>>(url);
}

QCoro::Task<OAuthStartResponse> HubAPIClient::startOAuth(QString provider) const
{
    const QUrl url = endpoint(QStringLiteral("ai/auth/start"));
    const QByteArray body = wire::encodeJson(ProviderRequest{std::move(provider)});
    co_return co_await postDecoded<OAuthStartResponse>(url, body);
}

QCoro::Task<OAuthCallbackResponse>
HubAPIClient::completeOAuth(QString provider, QString code, QString state) const
{
    const QUrl url = endpoint(QStringLiteral("ai/auth/callback"));
    const OAuthCallbackRequest body{std::move(provider), std::move(code), std::move(state)};
    const QByteArray bytes = wire::encodeJson(body);
    co_return co_await postDecoded<OAuthCallbackResponse>(url, bytes);
}

QCoro::Task<QList<AuthStatusEntry>> HubAPIClient::getAuthStatus() const
{
    const QUrl url = endpoint(QStringLiteral("ai/auth/status"));
    co_return co_await getDecoded<QList<AuthStatusEntry>>(url);
}

QCoro::Task<> HubAPIClient::signOut(QString provider) const
{
    const QUrl url = endpoint(QStringLiteral("ai/auth/signout"));
    // The answer is read and dropped whatever its status.
    HttpRequest request = jsonRequest("POST", url, wire::encodeJson(ProviderRequest{std::move(provider)}));
    co_await HttpExchange::send(std::move(request));
}

} // namespace zandrel
