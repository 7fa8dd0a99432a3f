#include "HubPaths.h"

namespace zandrel::hub {

HubPaths::HubPaths(QString home)
    : home_(std::move(home))
{}

QString HubPaths::hubFolder() const
{
    return home_ + QStringLiteral("/.zandrel/hub");
}

QString HubPaths::stateFile() const
{
    return hubFolder() + QStringLiteral("/state.json");
}

QString HubPaths::pidFile() const
{
    return hubFolder() + QStringLiteral("/hub.pid");
}

QString HubPaths::logFile() const
{
    return hubFolder() + QStringLiteral("/hub.log");
}

QString HubPaths::serveLock() const
{
    return hubFolder() + QStringLiteral("/serve.lock");
}

QString HubPaths::controlLock() const
{
    return hubFolder() + QStringLiteral("/control.lock");
}

QString HubPaths::applicationsFolder() const
{
    return home_ + QStringLiteral("/Applications");
}

} // namespace zandrel::hub
