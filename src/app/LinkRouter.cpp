#include "app/LinkRouter.h"

#include "hub_api/HubState.h"
#include "platform/Platform.h"
#include "store/PendingSignIn.h"
#include "store/StoreService.h"
#include "wire/HttpExchange.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTextStream>

namespace zandrel {

namespace {

QCoro::Task<> fetchAccount(QPointer<StoreService> store)
{
    try {
        co_await store->getAccount();
    } catch (...) {
        // The store service keeps its own sign-in state; a failed fetch leaves it as it was.
    }
}

} // namespace

LinkRouter::LinkRouter(
    StoreService& store, HubState& hub, Platform& platform, PendingSignIn& signIn, Output output)
    : store_(store)
    , hub_(hub)
    , platform_(platform)
    , signIn_(signIn)
    , output_(std::move(output))
{}

ZandrelLink::Kind LinkRouter::handle(const QString& link)
{
    const ZandrelLink parsed = ZandrelLink::parse(link);
    switch (parsed.kind) {
    case ZandrelLink::Kind::Ignored:
        break;
    case ZandrelLink::Kind::Install:
        // Only the slug travels on: what the user decides on comes from the store.
        if (request_)
            request_(parsed.slug);
        break;
    case ZandrelLink::Kind::SignIn:
        if (!signIn_.take()) {
            // Not asked for: the sign-in, the token and its file stay exactly as they are.
            output_(QStringLiteral("Sign-in link ignored: no sign-in was started from Zandrel Hub"));
            signIn_.setIgnoredCallback(true);
            if (ignored_)
                ignored_();
            break;
        }
        store_.setAuthToken(parsed.accessToken);
        saveAuthTokens(parsed.accessToken, parsed.refreshToken);
        fetchAccount(&store_);
        break;
    }
    return parsed.kind;
}

void LinkRouter::installConfirmed(const QString& app, const std::optional<QString>& failure)
{
    if (failure)
        output_(QStringLiteral("Install from URL failed: ") + *failure);
    if (notice_)
        notice_(app, failure);
    if (!failure && !HttpExchange::isShutDown())
        hub_.refresh();
}

void LinkRouter::saveAuthTokens(const QString& accessToken, const std::optional<QString>& refreshToken)
{
    QJsonObject tokens{{QStringLiteral("access_token"), accessToken}};
    if (refreshToken)
        tokens.insert(QStringLiteral("refresh_token"), *refreshToken);
    // The file holds credentials: owner-only from its first byte, also when it replaces an older file.
    platform_.writeFile(platform_.tokenFilePath(),
                        QJsonDocument(tokens).toJson(QJsonDocument::Compact),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void LinkRouter::printLine(const QString& line)
{
    QTextStream(stdout) << line << Qt::endl;
}

} // namespace zandrel
