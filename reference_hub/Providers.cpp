#include "Providers.h"

#include <QUrl>

namespace zandrel::hub {

namespace {

struct KnownModel {
    const char* provider;
    const char* id;
    const char* name;
    Providers::Price price;
};

const KnownModel kModels[] = {
    {"anthropic", "claude-sonnet-4-5", "Claude Sonnet 4.5", {3.0, 15.0}},
    {"anthropic", "claude-haiku-4-5", "Claude Haiku 4.5", {1.0, 5.0}},
    {"anthropic", "claude-opus-4-1", "Claude Opus 4.1", {15.0, 75.0}},
    {"openai", "gpt-4o", "GPT-4o", {2.5, 10.0}},
    {"openai", "gpt-4o-mini", "GPT-4o mini", {0.15, 0.6}},
    {"openai", "o3-mini", "o3-mini", {1.1, 4.4}},
    {"ollama", "llama3.2", "Llama 3.2", {0, 0}},
    {"ollama", "qwen2.5", "Qwen 2.5", {0, 0}},
    {"ollama", "mistral", "Mistral 7B", {0, 0}},
};

// The shape keys of each known provider have; other providers get the generic rule.
struct KeyRule {
    const char* provider;
    const char* displayName;
    const char* prefix;
    int minLength;
};

const KeyRule kKeyRules[] = {
    {"anthropic", "Anthropic", "sk-ant-", 32},
    {"openai", "OpenAI", "sk-", 24},
};

constexpr int kGenericMinLength = 16;

bool isKeyCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' ||
           c == u'_';
}

} // namespace

QList<AIModelInfo> Providers::modelsOf(const QString& provider, const AIProviderConfig& config)
{
    QList<AIModelInfo> models;
    auto listed = [&](const QString& id) {
        return std::any_of(models.begin(), models.end(), [&](const AIModelInfo& m) { return m.id == id; });
    };
    for (const KnownModel& known : kModels) {
        if (provider == QLatin1StringView(known.provider))
            models.append({QString::fromLatin1(known.id), provider, QString::fromLatin1(known.name), true});
    }
    for (const AIModelEntry& entry : config.models.value_or(QList<AIModelEntry>())) {
        if (!entry.id.isEmpty() && !listed(entry.id))
            models.append(
                {entry.id, provider, entry.name.value_or(entry.id), entry.available.value_or(true)});
    }
    if (config.model && !config.model->isEmpty() && !listed(*config.model))
        models.append({*config.model, provider, *config.model, true});
    return models;
}

std::optional<QString> Providers::keyProblem(const QString& provider, const QString& key)
{
    if (key.trimmed().isEmpty())
        return QStringLiteral("No API key: enter a key for %1 first").arg(provider);
    if (key != key.trimmed() || key.contains(u' '))
        return QStringLiteral("The key contains spaces; copy it again without them");
    if (!std::all_of(key.begin(), key.end(), isKeyCharacter))
        return QStringLiteral(
            "The key contains characters that never appear in API keys (only letters, digits, "
            "\"-\" and \"_\" do)");

    for (const KeyRule& rule : kKeyRules) {
        if (provider != QLatin1StringView(rule.provider))
            continue;
        const QString name = displayName(provider);
        if (provider == u"openai" && key.startsWith(QLatin1StringView("sk-ant-")))
            return QStringLiteral(
                "This is an Anthropic key; an OpenAI key starts with \"sk-\" but not \"sk-ant-\"");
        if (!key.startsWith(QLatin1StringView(rule.prefix)))
            return QStringLiteral("An %1 key starts with \"%2\"").arg(name, QString::fromLatin1(rule.prefix));
        if (key.size() < rule.minLength)
            return QStringLiteral("The key is too short: %1 characters, but %2 keys have at least %3")
                .arg(key.size())
                .arg(name)
                .arg(rule.minLength);
        return std::nullopt;
    }
    if (key.size() < kGenericMinLength)
        return QStringLiteral("The key is too short: %1 characters, but API keys have at least %2")
            .arg(key.size())
            .arg(kGenericMinLength);
    return std::nullopt;
}

std::optional<QString> Providers::baseUrlProblem(const QString& baseUrl)
{
    const QUrl url(baseUrl, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https") || url.host().isEmpty())
        return QStringLiteral("The base address \"%1\" is not an http(s) address").arg(baseUrl);
    return std::nullopt;
}

QString Providers::displayName(const QString& provider)
{
    for (const KeyRule& rule : kKeyRules) {
        if (provider == QLatin1StringView(rule.provider))
            return QString::fromLatin1(rule.displayName);
    }
    return provider == u"ollama" ? QStringLiteral("Ollama") : provider;
}

QStringList Providers::browserSignInProviders()
{
    return {QStringLiteral("anthropic")};
}

bool Providers::supportsBrowserSignIn(const QString& provider)
{
    return browserSignInProviders().contains(provider);
}

bool Providers::isLocal(const QString& provider)
{
    return provider == u"ollama";
}

Providers::Price Providers::priceOf(const QString& modelId)
{
    for (const KnownModel& known : kModels) {
        if (modelId == QLatin1StringView(known.id))
            return known.price;
    }
    return {1.0, 3.0}; // a middling guess for models the Hub does not know
}

} // namespace zandrel::hub
