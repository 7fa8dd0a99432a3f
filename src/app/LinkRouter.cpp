#include "app/LinkRouter.h"

#include "hub_api/HubState.h"
#include "platform/Platform.h"
#include "store/StoreService.h"
#include "wire/Error.h"
#include "wire/HttpExchange.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTextStream>

namespace zandrel {

namespace {

QCoro::Task<> installFromLink(QPointer<StoreService> store,
                              QPointer<HubState> hub,
                              QString slug,
                              LinkRouter::Output output,
                              LinkRouter::InstallNotice notice)
{
    QString app = slug;
    try {
        const InstallResult result = co_await store->installApp(slug);
        if (!result.app.isEmpty())
            app = result.app;
    } catch (const ShutdownError&) {
        co_return; // cut short by quitting: nothing to report
    } catch (...) {
        const QString why = describeException(std::current_exception());
        output(QStringLiteral("Install from URL failed: ") + why);
        if (notice)
            notice(slug, why);
        co_return;
    }
    if (notice)
        notice(app, std::nullopt);
    if (hub && !HttpExchange::isShutDown())
        co_await hub->refresh();
}

QCoro::Task<> fetchAccount(QPointer<StoreService> store)
{
    try {
        co_await store->getAccount();
    } catch (...) {
        // The store service keeps its own sign-in state; a failed fetch leaves it as it was.
    }
}

} // namespace

LinkRouter::LinkRouter(StoreService& store, HubState& hub, Platform& platform, Output output)
    : store_(store)
    , hub_(hub)
    , platform_(platform)
    , output_(std::move(output))
{}

ZandrelLink::Kind LinkRouter::handle(const QString& link)
{
    const ZandrelLink parsed = ZandrelLink::parse(link);
    switch (parsed.kind) {
    case ZandrelLink::Kind::Ignored:
        break;
    case ZandrelLink::Kind::Install:
        installFromLink(&store_, &hub_, parsed.slug, output_, notice_);
        break;
    case ZandrelLink::Kind::SignIn:
        store_.setAuthToken(parsed.accessToken);
        saveAuthTokens(parsed.accessToken, parsed.refreshToken);
        fetchAccount(&store_);
        break;
    }
    return parsed.kind;
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
