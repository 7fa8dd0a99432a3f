#pragma once

namespace zandrel {

// What the system says of the network: whether it is known to be down, and whether it is metered (a
// phone's hotspot), so that work in the background can wait. Where the system cannot tell, neither
// holds.
class NetworkState {
public:
    virtual ~NetworkState() = default;
    virtual bool isOffline() const = 0;
    virtual bool isMetered() const = 0;
};

} // namespace zandrel
