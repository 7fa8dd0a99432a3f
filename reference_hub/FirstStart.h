#pragma once

#include "AppBundles.h"
#include "HubData.h"

#include <QDateTime>

namespace zandrel::hub {

// The state of a Hub that has never run in this home: the companion apps the catalogue marks as
// preinstalled, installed weeks ago at older versions (bundles included) so that My Apps and the
// updates page have something to show; their default permissions; a local AI provider; and a
// little audit history.
class FirstStart {
public:
    // An app whose bundle cannot be written is left out, with a line in `warnings` saying why.
    static HubData
    seed(const Catalogue& catalogue, const AppBundles& bundles, const QDateTime& now, QStringList* warnings);
};

} // namespace zandrel::hub
