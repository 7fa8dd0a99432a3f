#include "StoreAccounts.h"

#include "store/StoreRequests.h"

namespace zandrel::hub {

namespace {

QString newToken(const char* prefix)
{
    return QString::fromLatin1(prefix) + randomToken(32);
}

} // namespace

StoreAccounts::StoreAccounts(HubContext& context)
    : context_(context)
{}

const UserProfile& StoreAccounts::demoUser()
{
    static const UserProfile user{QStringLiteral("usr_demo"),
                                  QStringLiteral("demo@zandrel.dev"),
                                  QStringLiteral("Demo User"),
                                  QString::fromLatin1(Catalogue::storeHost) +
                                      QStringLiteral("/avatars/demo.png")};
    return user;
}

void StoreAccounts::addTo(Router& router)
{
    router.add(
        "POST", QStringLiteral("/api/store/auth/login"), [this](const Request& r) { return login(r); });
    router.add("GET", QStringLiteral("/api/store/auth/me"), [this](const Request& r) { return me(r); });
}

std::optional<UserProfile> StoreAccounts::userFor(const QByteArray& authorization) const
{
    const QByteArray scheme = "Bearer ";
    if (!authorization.startsWith(scheme))
        return std::nullopt;
    const QString token = QString::fromLatin1(authorization.mid(scheme.size()).trimmed());
    for (const StoreSession& session : context_.store.data().storeSessions) {
        if (!token.isEmpty() && session.accessToken == token && session.userId == demoUser().id)
            return demoUser();
    }
    return std::nullopt;
}

Response StoreAccounts::login(const Request& request)
{
    const auto body = decodeBody<LoginRequest>(request);
    const QString email = body.email.trimmed();
    const bool ok = email.compare(demoUser().email, Qt::CaseInsensitive) == 0 &&
                    body.password == QLatin1StringView(demoPassword);
    const QString endpoint = QStringLiteral("POST ") + request.path;
    if (!ok) {
        context_.store.update([&](HubData& data) {
            data.audited(auditEntry(QStringLiteral("store"),
                                    QStringLiteral("signin"),
                                    endpoint,
                                    false,
                                    email,
                                    QStringLiteral("wrong e-mail or password")));
        });
        throw HttpError(401, QStringLiteral("The e-mail address or the password is wrong"));
    }

    const StoreSession session{newToken("zst_"), newToken("zsr_"), demoUser().id, isoNow()};
    context_.store.update([&](HubData& data) {
        data.storeSessions.append(session);
        if (data.storeSessions.size() > HubData::maxStoreSessions)
            data.storeSessions.remove(0, data.storeSessions.size() - HubData::maxStoreSessions);
        data.audited(auditEntry(QStringLiteral("store"), QStringLiteral("signin"), endpoint, true, email));
    });
    const UserProfile& user = demoUser();
    return Response::record(
        StoreAuthResponse{session.accessToken,
                          session.refreshToken,
                          StoreAuthResponse::StoreUser{user.id, user.email, user.display_name}});
}

Response StoreAccounts::me(const Request& request) const
{
    if (request.authorization.isEmpty())
        throw HttpError(401, QStringLiteral("Not signed in to the store"));
    const auto user = userFor(request.authorization);
    if (!user)
        throw HttpError(401, QStringLiteral("The sign-in token is not valid; sign in again"));
    return Response::record(*user);
}

} // namespace zandrel::hub
