#pragma once

#include "platform/NetworkState.h"

#include <QNetworkInformation>
#include <QString>

namespace zandrel {

// The system's own answer, through QNetworkInformation where a backend supports the feature asked;
// without one the network counts as online and unmetered.
class SystemNetworkState : public NetworkState {
public:
    // On Linux the backend is NetworkManager, asked for on the system bus; a test names a bus of its own.
    explicit SystemNetworkState(QString systemBusAddress = {});

    bool isOffline() const override;
    bool isMetered() const override;

private:
    bool backendCanAnswer() const;
    QNetworkInformation* information(QNetworkInformation::Feature feature) const;

    QString systemBusAddress_;
};

} // namespace zandrel
