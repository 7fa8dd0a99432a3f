#pragma once

#include <QString>

namespace zandrel::hub {

// Dotted version numbers compared part by part as numbers, so 1.10.0 is newer than 1.9.0.
// Missing parts count as 0 (1.2 equals 1.2.0). A part may carry a suffix after its digits
// ("1.0.0-beta"); a release sorts after any pre-release of the same number. Text that is no
// version at all ("abc") sorts like a pre-release of 0, before every real version.
class Versions {
public:
    // Negative when a is older than b, zero when equal, positive when newer.
    static int compare(const QString& a, const QString& b);
    static bool isNewer(const QString& candidate, const QString& installed)
    {
        return compare(candidate, installed) > 0;
    }
};

} // namespace zandrel::hub
