#pragma once

#include "HubData.h"
#include "hub_api/Usage.h"

#include <QDateTime>

namespace zandrel::hub {

// Plausible AI usage for the installed apps. The reference Hub routes no real requests, so each app
// is given a steady rhythm derived from its id (requests a day, tokens per request) since the
// moment it was installed, priced by the model it uses: its override, else the default model.
// The figures are the same for the same moment, grow with time and nest (today <= week <= month <= all).
class UsageReport {
public:
    static UsageResponse build(const QList<InstalledApp>& apps, const AIConfig& config, const QDateTime& now);

    static constexpr int recentEntryCount = 8;
};

} // namespace zandrel::hub
