#include "ProviderSignInEndpoints.h"

#include "Providers.h"
#include "hub_api/HubRequests.h"
#include "hub_api/ProviderAuth.h"

namespace zandrel::hub {

namespace {

const QString kAccountEmail = QStringLiteral("demo@zandrel.dev");

// A failed sign-in answers 400 with a body that still reads as a sign-in result.
Response failed(const QString& error)
{
    return Response::record(OAuthCallbackResponse{false, std::nullopt, error}, 400);
}

QString htmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

ProviderSignInEndpoints::ProviderSignInEndpoints(HubContext& context)
    : context_(context)
{}

void ProviderSignInEndpoints::addTo(Router& router)
{
    router.add("POST", QStringLiteral("/api/ai/auth/start"), [this](const Request& r) { return start(r); });
    router.add(
        "POST", QStringLiteral("/api/ai/auth/callback"), [this](const Request& r) { return callback(r); });
    router.add("GET", QStringLiteral("/api/ai/auth/status"), [this](const Request& r) { return status(r); });
    router.add(
        "POST", QStringLiteral("/api/ai/auth/signout"), [this](const Request& r) { return signOut(r); });
    router.add(
        "GET", QStringLiteral("/oauth/authorize"), [this](const Request& r) { return consentPage(r); });
}

void ProviderSignInEndpoints::dropExpired()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (auto it = pending_.begin(); it != pending_.end();)
        it = it.value().expires < now ? pending_.erase(it) : std::next(it);
}

Response ProviderSignInEndpoints::start(const Request& request)
{
    const auto body = decodeBody<ProviderRequest>(request);
    if (!Providers::supportsBrowserSignIn(body.provider))
        throw HttpError(400,
                        QStringLiteral("Browser sign-in is not available for \"%1\"; use an API key instead")
                            .arg(body.provider));
    dropExpired();
    const QString state = randomToken(24);
    const QString code = randomToken(12);
    pending_.insert(
        state, Pending{body.provider, code, QDateTime::currentDateTimeUtc().addSecs(60 * pendingMinutes)});

    QUrl url(QStringLiteral("http://127.0.0.1:%1/oauth/authorize").arg(context_.port));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("provider"), body.provider);
    query.addQueryItem(QStringLiteral("state"), state);
    url.setQuery(query);
    return Response::record(OAuthStartResponse{url.toString(QUrl::FullyEncoded), state});
}

Response ProviderSignInEndpoints::callback(const Request& request)
{
    const auto body = decodeBody<OAuthCallbackRequest>(request);
    dropExpired();
    const auto it = pending_.constFind(body.state);
    if (body.state.isEmpty() || it == pending_.constEnd())
        return failed(
            QStringLiteral("This sign-in is unknown, expired or already used; start the sign-in again"));
    if (it->provider != body.provider)
        return failed(QStringLiteral("This sign-in was started for \"%1\", not \"%2\"")
                          .arg(it->provider, body.provider));
    if (body.code.trimmed().isEmpty())
        return failed(QStringLiteral("The code is empty; paste the code the sign-in page shows"));
    pending_.remove(body.state);

    const ProviderSignIn signIn{body.provider,
                                kAccountEmail,
                                isoTime(QDateTime::currentDateTimeUtc().addDays(signInDays)),
                                QStringLiteral("oauth")};
    context_.store.update([&](HubData& data) {
        data.signIns.removeIf([&](const ProviderSignIn& s) { return s.provider == body.provider; });
        data.signIns.append(signIn);
        data.audited(auditEntry(QStringLiteral("hub"),
                                QStringLiteral("signin"),
                                QStringLiteral("POST ") + request.path,
                                true,
                                body.provider,
                                QStringLiteral("Signed in as ") + kAccountEmail));
    });
    return Response::record(OAuthCallbackResponse{true, kAccountEmail, std::nullopt});
}

Response ProviderSignInEndpoints::status(const Request&) const
{
    const QString now = isoNow();
    QList<AuthStatusEntry> list;
    for (const QString& provider : Providers::browserSignInProviders()) {
        if (const ProviderSignIn* s = context_.store.data().activeSignIn(provider, now))
            list.append(AuthStatusEntry{provider, true, s->email, s->expiresAt, s->tokenType});
        else
            list.append(AuthStatusEntry{provider, false, std::nullopt, std::nullopt, std::nullopt});
    }
    return Response::record(list);
}

Response ProviderSignInEndpoints::signOut(const Request& request)
{
    const auto body = decodeBody<ProviderRequest>(request);
    const auto& signIns = context_.store.data().signIns;
    const bool wasSignedIn = std::any_of(
        signIns.begin(), signIns.end(), [&](const ProviderSignIn& s) { return s.provider == body.provider; });
    if (wasSignedIn) {
        context_.store.update([&](HubData& data) {
            data.signIns.removeIf([&](const ProviderSignIn& s) { return s.provider == body.provider; });
            data.audited(auditEntry(QStringLiteral("hub"),
                                    QStringLiteral("signout"),
                                    QStringLiteral("POST ") + request.path,
                                    true,
                                    body.provider));
        });
    }
    return Response::json(
        QJsonObject{{QStringLiteral("success"), true}, {QStringLiteral("signedOut"), wasSignedIn}});
}

Response ProviderSignInEndpoints::consentPage(const Request& request) const
{
    const QString state = request.queryValue(QStringLiteral("state")).value_or(QString());
    const auto it = pending_.constFind(state);
    QString content;
    int status = 200;
    if (it == pending_.constEnd() || it->expires < QDateTime::currentDateTimeUtc()) {
        status = 404;
        content = QStringLiteral(
            "<h1>Sign-in expired</h1><p>This sign-in is unknown or has expired. Start it again "
            "from the Zandrel Hub settings.</p>");
    } else {
        content = QStringLiteral(
                      "<h1>Sign in to %1</h1><p>Zandrel Hub asks to use %1 on behalf of <b>%2</b>.</p>"
                      "<p>Paste this code into the Hub settings to finish signing in:</p>"
                      "<p><code style=\"font-size:1.6em\">%3</code></p>"
                      "<p><small>Served by the reference Hub in place of the provider's page.</small></p>")
                      .arg(htmlEscaped(Providers::displayName(it->provider)),
                           htmlEscaped(kAccountEmail),
                           htmlEscaped(it->code));
    }
    return Response::html(content, status);
}

} // namespace zandrel::hub
