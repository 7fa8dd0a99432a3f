#pragma once

#include "hub_api/AnyCodableValue.h"

namespace zandrel {

using wire::field;

// AI usage over one period.
struct UsageSummary {
    qint64 input_tokens = 0;
    qint64 output_tokens = 0;
    double cost_estimate = 0;
    qint64 count = 0;

    bool operator==(const UsageSummary&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("input_tokens", &UsageSummary::input_tokens),
                          field("output_tokens", &UsageSummary::output_tokens),
                          field("cost_estimate", &UsageSummary::cost_estimate),
                          field("count", &UsageSummary::count)};
    }
};

using UsageEntry = QMap<QString, AnyCodableValue>;

struct UsageResponse {
    std::optional<UsageSummary> today;
    std::optional<UsageSummary> week;
    std::optional<UsageSummary> month;
    std::optional<UsageSummary> all;
    std::optional<QMap<QString, UsageSummary>> perApp;
    std::optional<QList<UsageEntry>> recentEntries;

    bool operator==(const UsageResponse&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("today", &UsageResponse::today),
                          field("week", &UsageResponse::week),
                          field("month", &UsageResponse::month),
                          field("all", &UsageResponse::all),
                          field("perApp", &UsageResponse::perApp),
                          field("recentEntries", &UsageResponse::recentEntries)};
    }
};

} // namespace zandrel
