#include "StoreAccounts.h"

#include "store/StoreRequests.h"

#include <QMap>
#include <QUrl>

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
    router.add(
        "GET", QStringLiteral("/auth/{provider}"), [this](const Request& r) { return websiteSignIn(r); });
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

    const StoreSession session = newSession(endpoint, email);
    const UserProfile& user = demoUser();
    return Response::record(
        StoreAuthResponse{session.accessToken,
                          session.refreshToken,
                          StoreAuthResponse::StoreUser{user.id, user.email, user.display_name}});
}

StoreSession StoreAccounts::newSession(const QString& endpoint, const QString& how)
{
    const StoreSession session{newToken("zst_"), newToken("zsr_"), demoUser().id, isoNow()};
    context_.store.update([&](HubData& data) {
        data.storeSessions.append(session);
        if (data.storeSessions.size() > HubData::maxStoreSessions)
            data.storeSessions.remove(0, data.storeSessions.size() - HubData::maxStoreSessions);
        data.audited(auditEntry(QStringLiteral("store"), QStringLiteral("signin"), endpoint, true, how));
    });
    return session;
}

Response StoreAccounts::websiteSignIn(const Request& request)
{
    static const QMap<QString, QString> kProviders{{QStringLiteral("apple"), QStringLiteral("Apple")},
                                                   {QStringLiteral("google"), QStringLiteral("Google")},
                                                   {QStringLiteral("github"), QStringLiteral("GitHub")}};
    const QString provider = kProviders.value(request.params.value(0));
    if (provider.isEmpty())
        throw HttpError(404, QStringLiteral("No sign-in page for \"%1\"").arg(request.params.value(0)));
    // Each visit makes a session and an audit entry, and both are bounded: a page loading this one
    // (an image, a frame, a link) would push out the user's session and the audit history. Browsers
    // say where a request comes from; only one typed or opened from outside, or from this page itself,
    // counts. A client that does not say (an older browser, curl) is let through.
    const QList<QByteArray> from = request.headerValues("Sec-Fetch-Site");
    if (!from.isEmpty() && from.first().trimmed().toLower() != "none" &&
        from.first().trimmed().toLower() != "same-origin")
        return Response::html(QStringLiteral("<h1>Open this page from Zandrel Hub</h1>"
                                             "<p>Sign-in pages are not opened from other web pages.</p>"),
                              403);
    const StoreSession session = newSession(QStringLiteral("GET ") + request.path, provider);
    const QString link = QStringLiteral("zandrel://auth/callback?access_token=%1&refresh_token=%2")
                             .arg(QString::fromLatin1(QUrl::toPercentEncoding(session.accessToken)),
                                  QString::fromLatin1(QUrl::toPercentEncoding(session.refreshToken)));
    const UserProfile& user = demoUser();
    return Response::html(
        QStringLiteral("<h1>Sign in to the Zandrel Store with %1</h1>"
                       "<p>Signed in to %1 as <b>%2</b> (%3), the demo account.</p>"
                       "<p><a id=\"continue\" href=\"%4\" style=\"display:inline-block;padding:.6em 1.2em;"
                       "background:#0a66d8;color:#fff;border-radius:8px;text-decoration:none\">"
                       "Continue to Zandrel Hub</a></p>"
                       "<p><small>Served by the reference Hub in place of the store website.</small></p>")
            .arg(provider.toHtmlEscaped(),
                 user.display_name.toHtmlEscaped(),
                 user.email.toHtmlEscaped(),
                 link.toHtmlEscaped()));
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
