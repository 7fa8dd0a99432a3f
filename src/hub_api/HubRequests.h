#pragma once

// Bodies the application sends to the Hub. The reference Hub decodes them with the same descriptions.

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// Body of the provider sign-in start and sign-out requests.
struct ProviderRequest {
    QString provider;

    bool operator==(const ProviderRequest&) const = default;
    static constexpr auto jsonFields() { return std::tuple{field("provider", &ProviderRequest::provider)}; }
};

// Body of the provider test: the key and base address only when given.
struct ProviderTestRequest {
    QString provider;
    std::optional<QString> apiKey;
    std::optional<QString> baseUrl;

    bool operator==(const ProviderTestRequest&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("provider", &ProviderTestRequest::provider),
                          field("apiKey", &ProviderTestRequest::apiKey),
                          field("baseUrl", &ProviderTestRequest::baseUrl)};
    }
};

// Body completing a provider sign-in with the code the user pasted.
struct OAuthCallbackRequest {
    QString provider;
    QString code;
    QString state;

    bool operator==(const OAuthCallbackRequest&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("provider", &OAuthCallbackRequest::provider),
                          field("code", &OAuthCallbackRequest::code),
                          field("state", &OAuthCallbackRequest::state)};
    }
};

} // namespace zandrel
