#include "FuzzEntries.h"

#include "AIEndpoints.h"
#include "HttpTypes.h"
#include "HubEndpoints.h"
#include "RequestGuard.h"
#include "app/ZandrelLink.h"
#include "hub_api/AIConfig.h"
#include "hub_api/AIModels.h"
#include "hub_api/AITestResult.h"
#include "hub_api/AppInfo.h"
#include "hub_api/AuditEntry.h"
#include "hub_api/HubRequests.h"
#include "hub_api/PermissionSet.h"
#include "hub_api/ProviderAuth.h"
#include "hub_api/SessionEntry.h"
#include "hub_api/Usage.h"
#include "store/InstallResult.h"
#include "store/StoreAccount.h"
#include "store/StoreApp.h"
#include "store/StoreAppDetail.h"
#include "store/StoreRequests.h"
#include "store/StoreService.h"
#include "store/Updates.h"
#include "wire/Error.h"
#include "wire/JsonCodec.h"

#include <QCoreApplication>
#include <QUrl>
#include <algorithm>
#include <array>
#include <concepts>
#include <cstdio>
#include <cstdlib>
#include <variant>

namespace zandrel::fuzz {

namespace {

[[noreturn]] void broken(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

template <class T>
bool same(const T& a, const T& b)
{
    if constexpr (std::equality_comparable<T>)
        return a == b;
    else
        return wire::encodeJson(a) == wire::encodeJson(b);
}

// The decode through Qt's parser, as it was before records were read straight from the parser's tape:
// the "path: reason" of its failure, or the value.
template <class T>
std::variant<T, QString> decodedThroughQt(const QByteArray& json)
{
    try {
        return wire::fromJson<T>(wire::parseJson(json));
    } catch (const DecodeError& e) {
        return e.message();
    }
}

// Only where Qt's parser refused text the strict check had passed may the two decodes differ: it
// refuses numbers that round to 0 (1e-400), which the tape reads as 0. Its refusal of a bare scalar names
// the first of its two tries, not the number, so the refusal is known by its form alone.
bool qtRefusedValidJson(const QString& failure)
{
    const QString refusal = QCoreApplication::translate("JsonCodec", "not valid JSON (%1 at offset %2)");
    return failure.startsWith(refusal.section(u'(', 0, 0) + u'(');
}

template <class T>
void roundTrip(const QByteArray& json)
{
    const std::variant<T, QString> old = decodedThroughQt<T>(json);
    T value;
    try {
        value = wire::decodeJson<T>(json);
    } catch (const DecodeError& e) {
        if (!std::holds_alternative<QString>(old) ||
            (std::get<QString>(old) != e.message() && !qtRefusedValidJson(std::get<QString>(old))))
            broken("the tape refuses a record differently from Qt's parser");
        return;
    }
    if (std::holds_alternative<QString>(old) ? !qtRefusedValidJson(std::get<QString>(old))
                                             : !same(std::get<T>(old), value))
        broken("the tape decodes a record differently from Qt's parser");
    // What we decode, we can send back: the encoding decodes to the same value.
    if (!same(wire::decodeJson<T>(wire::encodeJson(value)), value))
        broken("a decoded record does not survive encoding");
}

using Decoder = void (*)(const QByteArray&);

constexpr std::array<Decoder, 26> kRecordFamilies{
    &roundTrip<AppInfo>,
    &roundTrip<QList<AppInfo>>,
    &roundTrip<QList<SessionEntry>>,
    &roundTrip<AIConfig>,
    &roundTrip<AIModelsResponse>,
    &roundTrip<AITestResult>,
    &roundTrip<UsageResponse>,
    &roundTrip<PermissionSet>,
    &roundTrip<PermissionMap>,
    &roundTrip<QList<AuditEntry>>,
    &roundTrip<OAuthStartResponse>,
    &roundTrip<OAuthCallbackResponse>,
    &roundTrip<QList<AuthStatusEntry>>,
    &roundTrip<ProviderRequest>,
    &roundTrip<ProviderTestRequest>,
    &roundTrip<OAuthCallbackRequest>,
    &roundTrip<StoreApp>,
    &roundTrip<PaginatedStoreApps>,
    &roundTrip<QList<StoreApp>>,
    &roundTrip<StoreAppDetail>,
    &roundTrip<QList<StoreCategory>>,
    &roundTrip<InstallResult>,
    &roundTrip<StoreAuthResponse>,
    &roundTrip<UserProfile>,
    &roundTrip<UpdatesResponse>,
    &roundTrip<LoginRequest>,
};

void records(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    kRecordFamilies[data[0] % kRecordFamilies.size()](bytes(data + 1, size - 1));
}

// The lenient readings as they were through Qt's parser.
PermissionMap permissionsThroughQt(const QByteArray& body)
{
    const auto boolMember = [](const QJsonObject& object, const char* name) {
        const QJsonValue value = object.value(QLatin1StringView(name));
        return value.isBool() ? std::optional<bool>(value.toBool()) : std::nullopt;
    };
    const QJsonValue top = wire::parseJson(body);
    QJsonObject apps = top.toObject();
    if (apps.value(QLatin1StringView("apps")).isObject())
        apps = apps.value(QLatin1StringView("apps")).toObject();
    PermissionMap result;
    for (auto it = apps.begin(); it != apps.end(); ++it) {
        if (!it.value().isObject())
            continue;
        const QJsonObject app = it.value().toObject();
        const auto actions = boolMember(app, "actions");
        result.insert(it.key(),
                      {boolMember(app, "read"),
                       boolMember(app, "write"),
                       actions ? actions : boolMember(app, "execute")});
    }
    return result;
}

QList<StoreApp> catalogueThroughQt(const QByteArray& body)
{
    const QJsonValue json = wire::parseJson(body);
    try {
        return wire::fromJson<PaginatedStoreApps>(json).results;
    } catch (const DecodeError&) {
        return wire::fromJson<QList<StoreApp>>(json);
    }
}

template <class T>
void sameAsThroughQt(T (*read)(const QByteArray&), T (*throughQt)(const QByteArray&), const QByteArray& body)
{
    std::optional<T> value;
    try {
        value = read(body);
    } catch (const DecodeError&) {
    }
    std::variant<T, QString> old = QString();
    try {
        old = throughQt(body);
    } catch (const DecodeError& e) {
        old = e.message();
    }
    const bool oldRead = std::holds_alternative<T>(old);
    if (value && !oldRead ? !qtRefusedValidJson(std::get<QString>(old))
                          : oldRead != value.has_value() || (value && !same(*value, std::get<T>(old))))
        broken("a lenient reading differs from the one through Qt's parser");
}

void lenient(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const QByteArray body = bytes(data + 1, size - 1);
    if (data[0] % 2 == 0)
        sameAsThroughQt(&parsePermissions, &permissionsThroughQt, body);
    else
        sameAsThroughQt(&StoreService::decodeCatalogue, &catalogueThroughQt, body);
}

QString encoded(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

void links(const std::uint8_t* data, std::size_t size)
{
    const ZandrelLink link = ZandrelLink::parse(QString::fromUtf8(bytes(data, size)));
    switch (link.kind) {
    case ZandrelLink::Kind::Ignored:
        break;
    case ZandrelLink::Kind::Install: {
        // An install is sent only for a slug that cannot leave its path segment.
        if (StoreService::isValidSlug(link.slug)) {
            const QString path = QStringLiteral("/api/store/apps/") + link.slug + QStringLiteral("/install");
            const QUrl url(QStringLiteral("http://127.0.0.1:3456") + path, QUrl::StrictMode);
            if (!url.isValid() || url.path() != path || url.hasQuery() || url.hasFragment())
                broken("a valid slug escapes its path segment");
        }
        // Whatever slug a link carries, the plain link written for it carries the same.
        const ZandrelLink again =
            ZandrelLink::parse(QStringLiteral("zandrel://install/") + encoded(link.slug));
        if (again.kind != ZandrelLink::Kind::Install || again.slug != link.slug)
            broken("an install link's slug does not survive writing the link again");
        break;
    }
    case ZandrelLink::Kind::SignIn: {
        QString plain = QStringLiteral("zandrel://auth/callback?access_token=") + encoded(link.accessToken);
        if (link.refreshToken)
            plain += QStringLiteral("&refresh_token=") + encoded(*link.refreshToken);
        const ZandrelLink again = ZandrelLink::parse(plain);
        if (again.kind != ZandrelLink::Kind::SignIn || again.accessToken != link.accessToken ||
            again.refreshToken != link.refreshToken)
            broken("a sign-in link's tokens do not survive writing the link again");
        break;
    }
    }
}

// The same bytes as the headers a page could send: whatever they hold, the guard answers without
// throwing, lets through only the machine's own names and JSON, and never repeats what it refused.
void requestHeaders(const QByteArray& text)
{
    const bool local = hub::RequestGuard::isLocalHost(text);
    if (local) {
        // What is left once a numeric port is taken off must be one of the three names exactly.
        QByteArray name = text.trimmed().toLower();
        const qsizetype colon = name.lastIndexOf(':');
        if (colon >= 0 && !name.endsWith("::1]")) {
            const QByteArray port = name.mid(colon + 1);
            if (!std::all_of(port.cbegin(), port.cend(), [](char c) { return c >= '0' && c <= '9'; }))
                broken("a host with a port that is not a number let through");
            name.truncate(colon);
        }
        if (name != "127.0.0.1" && name != "localhost" && name != "[::1]")
            broken("a foreign host name let through");
    }
    if (hub::RequestGuard::isJson(text) && !text.trimmed().toLower().startsWith("application/json"))
        broken("a media type other than JSON let through");
    hub::Request request;
    request.method = "POST";
    request.path = QStringLiteral("/api/store/apps/x/install");
    request.segments = QStringList{QString(), QStringLiteral("api"), QStringLiteral("store")};
    request.headers = {{"Host", text}, {"Origin", text}, {"Content-Type", text}};
    const std::optional<hub::Response> refusal = hub::RequestGuard(3456).refusal(request);
    if (local != (!refusal || refusal->status != 421))
        broken("the Host check and its refusal disagree");
    // Each refusal is one fixed text, so nothing of the request can come back in it.
    static const QList<QByteArray> fixed{
        hub::Response::error(
            421, QStringLiteral("This Hub answers only requests addressed to 127.0.0.1 or localhost"))
            .body,
        hub::Response::error(403, QStringLiteral("Requests from web pages are not accepted")).body,
        hub::Response::error(415, QStringLiteral("Content-Type must be application/json")).body};
    if (refusal && !fixed.contains(refusal->body))
        broken("a refusal repeats what it refused");
}

void hubBodies(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    hub::Request request;
    request.body = bytes(data + 1, size - 1);
    requestHeaders(request.body);
    try {
        switch (data[0] % 8) {
        case 0:
            hub::AIEndpoints::configBody(request);
            break;
        case 1:
            hub::decodeBody<ProviderTestRequest>(request);
            break;
        case 2:
            hub::HubEndpoints::permissionsBody(request);
            break;
        case 3:
        case 4:
            hub::decodeBody<ProviderRequest>(request); // sign-in start and sign-out
            break;
        case 5:
            hub::decodeBody<OAuthCallbackRequest>(request);
            break;
        case 6:
            hub::decodeBody<LoginRequest>(request);
            break;
        default:
            hub::decodeBody<UpdateCheckRequest>(request);
            break;
        }
    } catch (const hub::HttpError& e) {
        if (e.status() != 400)
            broken("a body refused with another status than 400");
    }
}

constexpr std::array<Target, 4> kTargets{{
    {"records", &records},
    {"lenient", &lenient},
    {"links", &links},
    {"hub_bodies", &hubBodies},
}};

} // namespace

std::span<const Target> targets()
{
    return kTargets;
}

} // namespace zandrel::fuzz
