#pragma once

#include "Catalogue.h"

#include <stdexcept>

namespace zandrel::hub {

class BundleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The app bundles on disk: "<applications folder>/<Name>.app", the folder the desktop application
// looks in. A bundle is a directory with an executable AppRun script (the AppDir convention the
// desktop application runs on Linux) and a manifest, app.json, naming the app and its version.
class AppBundles {
public:
    explicit AppBundles(QString applicationsFolder);

    QString pathFor(const QString& appName) const;
    // Creates the bundle, or rewrites its files in place when it exists (an update keeps whatever
    // else the folder holds). Answers the bundle's path. Throws BundleError saying what failed.
    QString install(const CatalogueApp& app, const QString& version) const;
    // The desktop application uninstalls by deleting the bundle, so its presence is what counts.
    static bool isPresent(const QString& bundlePath);

private:
    QString folder_;
};

} // namespace zandrel::hub
