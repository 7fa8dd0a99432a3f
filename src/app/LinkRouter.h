#pragma once

#include "app/ZandrelLink.h"

#include <functional>
#include <optional>

namespace zandrel {

class HubState;
class Platform;
class StoreService;

// Acts on the zandrel: links the system delivers: an install link installs through the store service
// and then refreshes the Hub state; a sign-in callback sets the store token, saves it to the token file
// and fetches the account. Malformed and foreign links are ignored without a word.
class LinkRouter {
public:
    // Receives the one line written when an install link fails.
    using Output = std::function<void(const QString& line)>;
    // Told how an install started from a link ended: the app (its name, or the slug when the Hub gave
    // none) and, when it failed, why. Not told when quitting cut it short.
    using InstallNotice = std::function<void(const QString& app, const std::optional<QString>& failure)>;

    LinkRouter(StoreService& store, HubState& hub, Platform& platform, Output output = printLine);

    void setInstallNotice(InstallNotice notice) { notice_ = std::move(notice); }

    // Starts what the link asks for and answers which kind of link it was.
    ZandrelLink::Kind handle(const QString& link);

    // Writes ~/.zandrel/auth.json, readable by its owner only, replacing an earlier file. Failures are
    // ignored: the token in memory is what the application uses.
    void saveAuthTokens(const QString& accessToken, const std::optional<QString>& refreshToken);

    // Writes a line to standard output.
    static void printLine(const QString& line);

private:
    StoreService& store_;
    HubState& hub_;
    Platform& platform_;
    Output output_;
    InstallNotice notice_;
};

} // namespace zandrel
