#pragma once

#include "app/ZandrelLink.h"

#include <functional>
#include <optional>

namespace zandrel {

class HubState;
class PendingSignIn;
class Platform;
class StoreService;

// Acts on the zandrel: links the system delivers. Any web page can open such a link, so none acts by
// itself: an install link only asks the window to show the app's store page, where the user decides;
// a sign-in callback counts only while a sign-in the user started is pending (it then sets the store
// token, saves it to the token file and fetches the account). Malformed and foreign links are ignored
// without a word.
class LinkRouter {
public:
    // Receives the one line written when an install from a link fails, or a callback is ignored.
    using Output = std::function<void(const QString& line)>;
    // Told how an install the user confirmed for a link ended: the app (its name, or the slug when the
    // Hub gave none) and, when it failed, why.
    using InstallNotice = std::function<void(const QString& app, const std::optional<QString>& failure)>;
    // Asked to show the store page of the app a link names, for the user to confirm.
    using InstallRequest = std::function<void(const QString& slug)>;

    LinkRouter(StoreService& store,
               HubState& hub,
               Platform& platform,
               PendingSignIn& signIn,
               Output output = printLine);

    void setInstallNotice(InstallNotice notice) { notice_ = std::move(notice); }
    void setInstallRequest(InstallRequest request) { request_ = std::move(request); }
    // Told that a sign-in callback arrived that nobody asked for.
    void setIgnoredCallback(std::function<void()> ignored) { ignored_ = std::move(ignored); }

    // Starts what the link asks for and answers which kind of link it was.
    ZandrelLink::Kind handle(const QString& link);

    // An install the user confirmed for a link has ended: a failure prints its line, a success
    // refreshes the Hub state; the notice hears of both.
    void installConfirmed(const QString& app, const std::optional<QString>& failure);

    // Writes ~/.zandrel/auth.json, readable by its owner only, replacing an earlier file. Failures are
    // ignored: the token in memory is what the application uses.
    void saveAuthTokens(const QString& accessToken, const std::optional<QString>& refreshToken);

    // Writes a line to standard output.
    static void printLine(const QString& line);

private:
    StoreService& store_;
    HubState& hub_;
    Platform& platform_;
    PendingSignIn& signIn_;
    Output output_;
    InstallNotice notice_;
    InstallRequest request_;
    std::function<void()> ignored_;
};

} // namespace zandrel
