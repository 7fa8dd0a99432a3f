#pragma once

#include "platform/NetworkState.h"

namespace zandrel {

// The system's own answer, through QNetworkInformation where a backend supports the feature asked;
// without one the network counts as online and unmetered.
class SystemNetworkState : public NetworkState {
public:
    bool isOffline() const override;
    bool isMetered() const override;
};

} // namespace zandrel
