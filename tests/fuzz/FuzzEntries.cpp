#include "FuzzEntries.h"

#include "AIEndpoints.h"
#include "HttpTypes.h"
#include "HubEndpoints.h"
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

#include <QUrl>
#include <array>
#include <concepts>
#include <cstdio>
#include <cstdlib>

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
void roundTrip(const QByteArray& json)
{
    T value;
    try {
        value = wire::decodeJson<T>(json);
    } catch (const DecodeError&) {
        return;
    }
    // What we decode, we can send back: the encoding decodes to the same value.
    const T again = wire::decodeJson<T>(wire::encodeJson(value));
    if constexpr (std::equality_comparable<T>) {
        if (!(again == value))
            broken("a decoded record does not survive encoding");
    }
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

void lenient(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const QByteArray body = bytes(data + 1, size - 1);
    try {
        if (data[0] % 2 == 0)
            parsePermissions(body);
        else
            StoreService::decodeCatalogue(body);
    } catch (const DecodeError&) {
    }
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

void hubBodies(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    hub::Request request;
    request.body = bytes(data + 1, size - 1);
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
