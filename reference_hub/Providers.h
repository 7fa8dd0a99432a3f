#pragma once

#include "hub_api/AIConfig.h"
#include "hub_api/AIModels.h"

namespace zandrel::hub {

// What the Hub knows about AI providers without talking to them: which models each one serves and
// what a plausible key looks like. The reference Hub never contacts a provider; a connection test
// judges the key's shape and says why a key cannot be right.
class Providers {
public:
    // The models a provider serves: the built-in list for the providers the Hub knows, plus the
    // models the configuration lists for it, and its configured `model` when that is not listed.
    static QList<AIModelInfo> modelsOf(const QString& provider, const AIProviderConfig& config);

    // Why this key cannot work for this provider, or nothing when it looks right.
    static std::optional<QString> keyProblem(const QString& provider, const QString& key);
    // Why this base address cannot be used, or nothing when it is an http(s) address.
    static std::optional<QString> baseUrlProblem(const QString& baseUrl);

    // "Anthropic" for "anthropic"; the id itself for providers the Hub does not know.
    static QString displayName(const QString& provider);

    // Providers whose users sign in through the browser instead of pasting a key.
    static bool supportsBrowserSignIn(const QString& provider);
    static QStringList browserSignInProviders();
    // Providers that run on this machine and need no key.
    static bool isLocal(const QString& provider);

    // US dollars per million input and output tokens, for usage estimates.
    struct Price {
        double input = 0;
        double output = 0;
    };
    static Price priceOf(const QString& modelId);
};

} // namespace zandrel::hub
