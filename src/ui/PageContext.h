#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace zandrel {

class HubState;
class PendingSignIn;
class Platform;
class Preferences;
class StoreService;
class UpdateChecker;

// What the window hands every page: the application's long-lived objects and where to reach the Hub
// and the store website. Pages keep only their own view state besides.
struct PageContext {
    HubState& hubState;
    StoreService& storeService;
    Platform& platform;
    // The port the settings tabs' own clients use (the Hub state's port can change for the session).
    int hubPort = 3456;
    // Base address of the store's web front end, without a trailing slash.
    QString storeWebsite;
    // Run after every successful install from the store, even when the sheet that started it has
    // closed meanwhile: the window looks for the installed apps again.
    std::function<void()> onInstallComplete;
    // Run when an install the user confirmed for a zandrel: link has ended (the app, and why it failed),
    // also when its sheet has closed meanwhile.
    std::function<void(const QString& app, const std::optional<QString>& failure)> onLinkInstallFinished = {};
    // The application's preferences (the Hub tab's tray switch); absent in a page shown on its own.
    Preferences* preferences = nullptr;
    // The browser sign-in the Account page's provider buttons start; absent in a page shown on its own.
    PendingSignIn* pendingSignIn = nullptr;
    // The one list of available updates (the sidebar's count); absent in a page shown on its own.
    UpdateChecker* updateChecker = nullptr;
    // Opens (or raises) the Hub Log window (the window sets it); absent in a page shown on its own.
    std::function<void()> showHubLog = {};
};

} // namespace zandrel
