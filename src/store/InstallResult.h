#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// The Hub's answer to an install or update.
struct InstallResult {
    bool success = false;
    QString app;
    QString version;
    QString path;

    bool operator==(const InstallResult&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("success", &InstallResult::success),
                          field("app", &InstallResult::app),
                          field("version", &InstallResult::version),
                          field("path", &InstallResult::path)};
    }
};

} // namespace zandrel
