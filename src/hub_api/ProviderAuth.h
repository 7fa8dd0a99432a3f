#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// Sign-in status of one AI provider; identified by `provider`.
struct AuthStatusEntry {
    QString provider;
    bool authenticated = false;
    std::optional<QString> email;
    std::optional<QString> expiresAt;
    std::optional<QString> tokenType;

    bool operator==(const AuthStatusEntry&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("provider", &AuthStatusEntry::provider),
                          field("authenticated", &AuthStatusEntry::authenticated),
                          field("email", &AuthStatusEntry::email),
                          field("expiresAt", &AuthStatusEntry::expiresAt),
                          field("tokenType", &AuthStatusEntry::tokenType)};
    }
};

// Where the user signs in with a provider, and the state to hand back when completing.
struct OAuthStartResponse {
    QString url;
    QString state;

    bool operator==(const OAuthStartResponse&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("url", &OAuthStartResponse::url), field("state", &OAuthStartResponse::state)};
    }
};

struct OAuthCallbackResponse {
    bool success = false;
    std::optional<QString> email;
    std::optional<QString> error;

    bool operator==(const OAuthCallbackResponse&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("success", &OAuthCallbackResponse::success),
                          field("email", &OAuthCallbackResponse::email),
                          field("error", &OAuthCallbackResponse::error)};
    }
};

} // namespace zandrel
