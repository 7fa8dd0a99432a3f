#pragma once

// Bodies the application sends to the store endpoints. The reference Hub decodes them with the same
// descriptions.

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

struct LoginRequest {
    QString email;
    QString password;

    bool operator==(const LoginRequest&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("email", &LoginRequest::email), field("password", &LoginRequest::password)};
    }
};

// Installed app identifier to installed version.
struct UpdateCheckRequest {
    QMap<QString, QString> installed;

    bool operator==(const UpdateCheckRequest&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("installed", &UpdateCheckRequest::installed)};
    }
};

} // namespace zandrel
