#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// The outcome of testing a provider's connection.
struct AITestResult {
    bool ok = false;
    std::optional<QString> provider;
    std::optional<QString> error;

    bool operator==(const AITestResult&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("ok", &AITestResult::ok),
                          field("provider", &AITestResult::provider),
                          field("error", &AITestResult::error)};
    }
};

} // namespace zandrel
