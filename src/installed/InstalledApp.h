#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zandrel {

class Platform;

// A companion app whose bundle was found on disk.
struct InstalledApp {
    QString name; // as listed in knownApps()
    QString path; // its bundle

    bool operator==(const InstalledApp&) const = default;
};

// Every companion app the window can show, in the order it shows them. An app outside this list is
// never shown, whatever the Hub reports.
const QStringList& knownApps();

// The known apps whose bundle exists (a file or a folder), in knownApps() order.
QList<InstalledApp> findInstalledApps(const Platform& platform);

} // namespace zandrel
