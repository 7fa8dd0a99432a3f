#pragma once

#include <QString>
#include <optional>

namespace zandrel {

// What a zandrel: link asks the application to do. Two forms are understood:
//   zandrel://install/<slug>                                        (further segments ignored)
//   zandrel://auth/…/callback…?access_token=<a>[&refresh_token=<r>]  (other items ignored)
// Anything else, including a different scheme spelling, is ignored, and so is a callback whose access
// token holds a space, a control or non-ASCII character, or is longer than maximumTokenLength.
struct ZandrelLink {
    enum class Kind { Ignored, Install, SignIn };
    static constexpr qsizetype maximumTokenLength = 8192;

    Kind kind = Kind::Ignored;
    QString slug;                        // Install: percent-decoded first path segment
    QString accessToken;                 // SignIn
    std::optional<QString> refreshToken; // SignIn, when the callback carried one

    static ZandrelLink parse(const QString& text);
};

} // namespace zandrel
