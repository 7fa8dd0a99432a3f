#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// One model the Hub can route to; identified by `id`.
struct AIModelInfo {
    QString id;
    QString provider;
    QString name;
    bool available = false;

    bool operator==(const AIModelInfo&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &AIModelInfo::id),
                          field("provider", &AIModelInfo::provider),
                          field("name", &AIModelInfo::name),
                          field("available", &AIModelInfo::available)};
    }
};

// The models the Hub offers. `defaultModel` travels as "default" (a C++ keyword).
struct AIModelsResponse {
    QList<AIModelInfo> models;
    std::optional<QString> defaultModel;

    bool operator==(const AIModelsResponse&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("models", &AIModelsResponse::models),
                          field("default", &AIModelsResponse::defaultModel)};
    }
};

} // namespace zandrel
