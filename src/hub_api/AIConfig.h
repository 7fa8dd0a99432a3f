#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// A model listed in a provider's configuration.
struct AIModelEntry {
    QString id;
    std::optional<QString> name;
    std::optional<QString> provider;
    std::optional<bool> available;

    bool operator==(const AIModelEntry&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &AIModelEntry::id),
                          field("name", &AIModelEntry::name),
                          field("provider", &AIModelEntry::provider),
                          field("available", &AIModelEntry::available)};
    }
};

// The settings of one AI provider.
struct AIProviderConfig {
    std::optional<QString> apiKey;
    std::optional<QString> model;
    std::optional<QString> baseUrl;
    std::optional<QList<AIModelEntry>> models;

    bool operator==(const AIProviderConfig&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("apiKey", &AIProviderConfig::apiKey),
                          field("model", &AIProviderConfig::model),
                          field("baseUrl", &AIProviderConfig::baseUrl),
                          field("models", &AIProviderConfig::models)};
    }
};

// The Hub's AI configuration. The default model travels as the member "default".
struct AIConfig {
    std::optional<QMap<QString, AIProviderConfig>> providers;
    std::optional<QString> defaultModel;
    std::optional<QStringList> fallbackOrder;
    std::optional<QMap<QString, QString>> appOverrides;

    bool operator==(const AIConfig&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("providers", &AIConfig::providers),
                          field("default", &AIConfig::defaultModel),
                          field("fallbackOrder", &AIConfig::fallbackOrder),
                          field("appOverrides", &AIConfig::appOverrides)};
    }
};

} // namespace zandrel
