#include "AIEndpoints.h"

#include "Providers.h"
#include "UsageReport.h"
#include "hub_api/AITestResult.h"
#include "hub_api/HubRequests.h"

namespace zandrel::hub {

namespace {

bool isSignedIn(const HubData& data, const QString& provider)
{
    return data.activeSignIn(provider, isoNow()) != nullptr;
}

// Whether a configured provider can serve requests: a key of the right shape, a browser sign-in,
// or no key needed at all.
bool canServe(const HubData& data, const QString& provider, const AIProviderConfig& config)
{
    if (Providers::isLocal(provider) || isSignedIn(data, provider))
        return true;
    const QString key = config.apiKey.value_or(QString());
    return !key.isEmpty() && !Providers::keyProblem(provider, key);
}

} // namespace

AIEndpoints::AIEndpoints(HubContext& context)
    : context_(context)
{}

void AIEndpoints::addTo(Router& router)
{
    router.add("GET", QStringLiteral("/api/ai/config"), [this](const Request& r) { return config(r); });
    router.add("PUT", QStringLiteral("/api/ai/config"), [this](const Request& r) { return updateConfig(r); });
    router.add("GET", QStringLiteral("/api/ai/models"), [this](const Request& r) { return models(r); });
    router.add("POST", QStringLiteral("/api/ai/test"), [this](const Request& r) { return test(r); });
    router.add("GET", QStringLiteral("/api/ai/usage"), [this](const Request& r) { return usage(r); });
}

Response AIEndpoints::config(const Request&) const
{
    return Response::record(context_.store.data().ai);
}

AIConfig AIEndpoints::configBody(const Request& request)
{
    AIConfig config = decodeBody<AIConfig>(request);
    refuseEmptyRecord(config);
    return config;
}

Response AIEndpoints::updateConfig(const Request& request)
{
    const AIConfig config = configBody(request);
    context_.store.update([&](HubData& data) { data.ai = config; });
    return Response::json(QJsonObject{{QStringLiteral("saved"), true}});
}

Response AIEndpoints::models(const Request&) const
{
    const HubData& data = context_.store.data();
    AIModelsResponse answer;
    const auto providers = data.ai.providers.value_or(QMap<QString, AIProviderConfig>());
    // The local runner is always there, configured or not.
    if (!providers.contains(QStringLiteral("ollama")))
        answer.models += Providers::modelsOf(QStringLiteral("ollama"), AIProviderConfig{});
    for (auto it = providers.begin(); it != providers.end(); ++it) {
        if (canServe(data, it.key(), it.value()))
            answer.models += Providers::modelsOf(it.key(), it.value());
    }

    const QString wanted = data.ai.defaultModel.value_or(QString());
    const bool wantedServed = std::any_of(
        answer.models.begin(), answer.models.end(), [&](const AIModelInfo& m) { return m.id == wanted; });
    if (wantedServed)
        answer.defaultModel = wanted;
    else if (!answer.models.isEmpty())
        answer.defaultModel = answer.models.first().id;
    return Response::record(answer);
}

Response AIEndpoints::test(const Request& request)
{
    const auto body = decodeBody<ProviderTestRequest>(request);
    if (body.provider.trimmed().isEmpty())
        throw HttpError(400, QStringLiteral("provider must name the provider to test"));

    const HubData& data = context_.store.data();
    const auto providers = data.ai.providers.value_or(QMap<QString, AIProviderConfig>());
    const AIProviderConfig saved = providers.value(body.provider);
    const QString key = body.apiKey.value_or(saved.apiKey.value_or(QString()));
    const QString baseUrl = body.baseUrl.value_or(saved.baseUrl.value_or(QString()));

    std::optional<QString> problem;
    if (!baseUrl.isEmpty())
        problem = Providers::baseUrlProblem(baseUrl);
    if (!problem && !Providers::isLocal(body.provider) && !(key.isEmpty() && isSignedIn(data, body.provider)))
        problem = Providers::keyProblem(body.provider, key);

    const AITestResult result{!problem, body.provider, problem};
    context_.store.update([&](HubData& next) {
        next.audited(auditEntry(QStringLiteral("hub"),
                                QStringLiteral("test"),
                                QStringLiteral("POST ") + request.path,
                                result.ok,
                                body.provider,
                                problem));
    });
    return Response::record(result);
}

Response AIEndpoints::usage(const Request&) const
{
    return Response::record(UsageReport::build(
        context_.presentApps(), context_.store.data().ai, QDateTime::currentDateTimeUtc()));
}

} // namespace zandrel::hub
