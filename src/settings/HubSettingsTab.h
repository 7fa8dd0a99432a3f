#pragma once

#include "ui/PageContext.h"

#include <QScrollArea>
#include <optional>

class QLineEdit;

namespace zandrel {

namespace ui {
class Button;
class Label;
class SymbolLabel;
class ToggleSwitch;
} // namespace ui

// The Hub tab: the port the application expects the Hub on, starting the Hub at login, whether it
// runs (with Start or Stop), whether closing the window keeps the application in the tray, and the
// data folder with the number of installed apps.
class HubSettingsTab : public QScrollArea {
    Q_OBJECT

public:
    explicit HubSettingsTab(const PageContext& context, QWidget* parent = nullptr);

    // The port field's text as a port: an optional sign, then decimal digits only; nothing otherwise
    // (or when it does not fit a port number at all).
    static std::optional<int> parsePort(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyPort();
    void setStartAtLogin(bool on);
    void updateStatus();
    void updateTray();
    void updateBackgroundCheck();

    PageContext context_;
    QLineEdit* port_;
    ui::ToggleSwitch* startAtLogin_;
    ui::Label* loginItemError_;
    ui::ToggleSwitch* keepInTray_;
    ui::ToggleSwitch* backgroundCheck_;
    ui::Label* keepInTrayCaption_;
    ui::SymbolLabel* status_;
    ui::Label* statusText_;
    ui::Button* startStop_;
    ui::Label* appCount_;
};

} // namespace zandrel
