#include "installed/InstalledApp.h"

#include "platform/Platform.h"

namespace zandrel {

const QStringList& knownApps()
{
    static const QStringList names{QStringLiteral("Orvane"),
                                   QStringLiteral("Kettavox"),
                                   QStringLiteral("Dulvet"),
                                   QStringLiteral("Morrak"),
                                   QStringLiteral("Silvane"),
                                   QStringLiteral("Pimbrel")};
    return names;
}

QList<InstalledApp> findInstalledApps(const Platform& platform)
{
    QList<InstalledApp> found;
    for (const QString& name : knownApps()) {
        QString path = platform.appBundlePath(name);
        if (platform.exists(path))
            found.append({name, std::move(path)});
    }
    return found;
}

} // namespace zandrel
