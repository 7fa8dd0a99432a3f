#pragma once

#include <QString>

namespace zandrel::hub {

// Where the Hub keeps its files. Everything derives from the home folder, so pointing HOME at a
// temporary folder isolates a Hub completely.
class HubPaths {
public:
    explicit HubPaths(QString home);

    const QString& home() const { return home_; }
    QString hubFolder() const;          // ~/.zandrel/hub
    QString stateFile() const;          // everything the Hub keeps between runs
    QString pidFile() const;            // process id and port of the running Hub
    QString logFile() const;            // output of a Hub started in the background
    QString serveLock() const;          // held by the serving process for its lifetime
    QString controlLock() const;        // held while start or stop runs
    QString applicationsFolder() const; // ~/Applications: the app bundles

private:
    QString home_;
};

} // namespace zandrel::hub
