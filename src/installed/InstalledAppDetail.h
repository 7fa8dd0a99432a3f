#pragma once

#include "installed/InstalledApp.h"
#include "installed/UninstallDialog.h"

#include <QPointer>
#include <QWidget>

namespace zandrel {

class Platform;

// One installed app: its name and bundle path, "Open", and "Uninstall" (or the Delete key) behind a
// confirmation.
class InstalledAppDetail : public QWidget {
    Q_OBJECT

public:
    InstalledAppDetail(InstalledApp app, Platform& platform, QWidget* parent = nullptr);

    const InstalledApp& app() const { return app_; }
    // The open confirmation, if any.
    UninstallDialog* confirmation() const { return confirmation_; }

    void confirmUninstall();
    // Deletes the bundle and, when asked, ~/.zandrel/data/<Name>; failures are ignored and announced
    // as an uninstall all the same, so the window returns to the grid in every case.
    void uninstall(bool deleteData);

Q_SIGNALS:
    void uninstalled();

private:
    InstalledApp app_;
    Platform& platform_;
    QPointer<UninstallDialog> confirmation_;
};

} // namespace zandrel
