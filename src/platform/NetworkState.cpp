#include "platform/NetworkState.h"

#include <QNetworkInformation>

namespace zandrel {

namespace {

// Loaded on first use, not at start-up: the first background check comes well after the window.
QNetworkInformation* information(QNetworkInformation::Feature feature)
{
    static const bool loaded = QNetworkInformation::loadDefaultBackend();
    QNetworkInformation* info = loaded ? QNetworkInformation::instance() : nullptr;
    return info && info->supports(feature) ? info : nullptr;
}

} // namespace

bool SystemNetworkState::isOffline() const
{
    const QNetworkInformation* info = information(QNetworkInformation::Feature::Reachability);
    return info && info->reachability() == QNetworkInformation::Reachability::Disconnected;
}

bool SystemNetworkState::isMetered() const
{
    const QNetworkInformation* info = information(QNetworkInformation::Feature::Metered);
    return info && info->isMetered();
}

} // namespace zandrel
