#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// The signed-in store user.
struct UserProfile {
    QString id;
    QString email;
    QString display_name;
    std::optional<QString> avatar_url;

    bool operator==(const UserProfile&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &UserProfile::id),
                          field("email", &UserProfile::email),
                          field("display_name", &UserProfile::display_name),
                          field("avatar_url", &UserProfile::avatar_url)};
    }
};

// The answer to a store login.
struct StoreAuthResponse {
    struct StoreUser {
        QString id;
        QString email;
        QString display_name;

        bool operator==(const StoreUser&) const = default;
        static constexpr auto jsonFields()
        {
            return std::tuple{field("id", &StoreUser::id),
                              field("email", &StoreUser::email),
                              field("display_name", &StoreUser::display_name)};
        }
    };

    QString access_token;
    QString refresh_token;
    StoreUser user;

    bool operator==(const StoreAuthResponse&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("access_token", &StoreAuthResponse::access_token),
                          field("refresh_token", &StoreAuthResponse::refresh_token),
                          field("user", &StoreAuthResponse::user)};
    }
};

} // namespace zandrel
