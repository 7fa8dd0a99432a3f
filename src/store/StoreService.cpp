#include "store/StoreService.h"

#include "store/StoreError.h"
#include "store/StoreRequests.h"

#include <QPointer>
#include <QScopeGuard>
#include <QtConcurrent/QtConcurrentRun>
#include <qcoro/qcorofuture.h>

namespace zandrel {

namespace {

QString queryItem(const QString& name, const QString& value)
{
    // Encoded by hand: QUrlQuery would leave "+" alone, which servers read as a space.
    return name + u'=' + QString::fromLatin1(QUrl::toPercentEncoding(value));
}

struct DecodedCatalogue {
    QList<StoreApp> apps;
    std::exception_ptr error;
};

// Runs on a worker thread and hands failures back as values.
DecodedCatalogue decodeCatalogueOffThread(const QByteArray& body)
{
    DecodedCatalogue decoded;
    try {
        decoded.apps = StoreService::decodeCatalogue(body);
    } catch (...) {
        decoded.error = std::current_exception();
    }
    return decoded;
}

} // namespace

StoreService::StoreService(QString hubUrl, QObject* parent)
    : QObject(parent)
    , hubUrl_(std::move(hubUrl))
{}

void StoreService::setAuthToken(std::optional<QString> token)
{
    if (authToken_ == token)
        return;
    ++signInEpoch_;
    authToken_ = std::move(token);
    Q_EMIT authTokenChanged();
}

void StoreService::setIsLoggedIn(bool value)
{
    if (isLoggedIn_ == value)
        return;
    isLoggedIn_ = value;
    Q_EMIT isLoggedInChanged();
}

void StoreService::setCurrentUser(std::optional<UserProfile> user)
{
    if (currentUser_ == user)
        return;
    currentUser_ = std::move(user);
    Q_EMIT currentUserChanged();
}

QList<StoreApp> StoreService::decodeCatalogue(const QByteArray& body)
{
    const wire::JsonDocument document(body);
    try {
        return wire::fromJson<PaginatedStoreApps>(document.root()).results;
    } catch (const DecodeError&) {
        // Older Hubs answer a bare array.
        return wire::fromJson<QList<StoreApp>>(document.root());
    }
}

bool StoreService::isValidSlug(const QString& slug)
{
    if (slug.isEmpty() || slug == u"." || slug == u"..")
        return false;
    for (const QChar c : slug) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
                        u == u'-' || u == u'_' || u == u'.';
        if (!ok)
            return false;
    }
    return true;
}

QUrl StoreService::url(const QString& path) const
{
    QUrl result(hubUrl_ + path, QUrl::StrictMode);
    if (!result.isValid() || result.scheme().isEmpty() || result.host().isEmpty())
        throw InvalidRequestError(tr("\"%1\" is not a valid store address").arg(hubUrl_ + path));
    return result;
}

QString StoreService::slugPath(const QString& slug) const
{
    if (!isValidSlug(slug))
        throw InvalidRequestError(tr("\"%1\" is not a valid app identifier: only letters, "
                                     "digits, \"-\", \"_\" and \".\" are allowed")
                                      .arg(slug));
    return QStringLiteral("/api/store/apps/") + slug;
}

HttpRequest StoreService::request(QByteArray method, QUrl url, std::optional<QByteArray> body) const
{
    HttpRequest request{std::move(method), std::move(url), {}, std::move(body)};
    if (request.method == "POST")
        request.headers.emplace_back("Content-Type", "application/json");
    request.headers.emplace_back("Accept", "application/json");
    if (authToken_)
        request.headers.emplace_back("Authorization", "Bearer " + authToken_->toUtf8());
    // A POST without a body still goes out with an empty one, so the Content-Type travels with it.
    if (request.method == "POST" && !request.body)
        request.body = QByteArray();
    return request;
}

QCoro::Task<QByteArray> StoreService::fetch(HttpRequest request)
{
    const HttpResponse response = co_await HttpExchange::send(std::move(request));
    if (response.status < 200 || response.status > 299)
        throw StoreError(response.status, StoreError::bodyText(response.body));
    co_return response.body;
}

QCoro::Task<QList<StoreApp>> StoreService::getApps(std::optional<QString> category,
                                                   std::optional<QString> search)
{
    QUrl target = url(QStringLiteral("/api/store/apps"));
    QStringList items;
    if (category)
        items.append(queryItem(QStringLiteral("category"), *category));
    if (search && !search->isEmpty())
        items.append(queryItem(QStringLiteral("search"), *search));
    if (!items.isEmpty())
        target.setQuery(items.join(u'&'), QUrl::StrictMode);

    HttpRequest get = request("GET", target);
    const QByteArray body = co_await fetch(std::move(get));
    // A catalogue of thousands takes tens of milliseconds to parse: that happens on the shared
    // thread pool, so the window keeps painting meanwhile.
    QFuture<DecodedCatalogue> decoding = QtConcurrent::run(&decodeCatalogueOffThread, body);
    DecodedCatalogue decoded = co_await decoding;
    if (decoded.error)
        std::rethrow_exception(decoded.error);
    co_return std::move(decoded.apps);
}

QCoro::Task<StoreAppDetail> StoreService::getApp(QString slug)
{
    HttpRequest get = request("GET", url(slugPath(slug)));
    const QByteArray body = co_await fetch(std::move(get));
    co_return wire::decodeJson<StoreAppDetail>(body);
}

QCoro::Task<QList<StoreCategory>> StoreService::getCategories()
{
    HttpRequest get = request("GET", url(QStringLiteral("/api/store/apps/categories")));
    const QByteArray body = co_await fetch(std::move(get));
    co_return wire::decodeJson<QList<StoreCategory>>(body);
}

QCoro::Task<InstallResult> StoreService::installApp(QString slug)
{
    HttpRequest post = request("POST", url(slugPath(slug) + QStringLiteral("/install")));
    QPointer<StoreService> self(this);
    ++installing_[slug];
    Q_EMIT installStarted(slug);
    bool installed = false;
    // However the exchange ends, even when the service is gone by then.
    const auto ended = qScopeGuard([self, slug, &installed] {
        if (!self)
            return;
        if (--self->installing_[slug] <= 0)
            self->installing_.remove(slug);
        if (installed)
            ++self->done_[slug];
        Q_EMIT self->installEnded(slug, installed);
    });
    const QByteArray body = co_await fetch(std::move(post));
    InstallResult result = wire::decodeJson<InstallResult>(body);
    installed = true;
    co_return result;
}

QCoro::Task<UpdatesResponse> StoreService::checkUpdates(QMap<QString, QString> installed)
{
    HttpRequest post = request("POST",
                               url(QStringLiteral("/api/store/apps/updates/check")),
                               wire::encodeJson(UpdateCheckRequest{std::move(installed)}));
    const QByteArray body = co_await fetch(std::move(post));
    co_return wire::decodeJson<UpdatesResponse>(body);
}

QCoro::Task<StoreAuthResponse> StoreService::login(QString email, QString password)
{
    HttpRequest post = request("POST",
                               url(QStringLiteral("/api/store/auth/login")),
                               wire::encodeJson(LoginRequest{std::move(email), std::move(password)}));
    QPointer<StoreService> self(this);
    const quint64 signOuts = signOuts_;
    const QByteArray body = co_await fetch(std::move(post));
    const auto response = wire::decodeJson<StoreAuthResponse>(body);
    // Signed out while the answer was on its way: the later wish stands.
    if (self && self->signOuts_ == signOuts) {
        // A new sign-in even when the token is the one already held.
        ++self->signInEpoch_;
        self->setAuthToken(response.access_token);
        self->setCurrentUser(
            UserProfile{response.user.id, response.user.email, response.user.display_name, std::nullopt});
        self->setIsLoggedIn(true);
    }
    co_return response;
}

QCoro::Task<UserProfile> StoreService::getAccount()
{
    HttpRequest get = request("GET", url(QStringLiteral("/api/store/auth/me")));
    QPointer<StoreService> self(this);
    const quint64 epoch = signInEpoch_;
    const quint64 seq = ++accountSeq_;
    const QByteArray body = co_await fetch(std::move(get));
    const auto profile = wire::decodeJson<UserProfile>(body);
    // An answer older than one already shown changes nothing; a later fetch that fails takes nothing
    // away from an earlier one's answer for the same sign-in.
    if (self && self->signInEpoch_ == epoch && seq > self->accountApplied_) {
        self->accountApplied_ = seq;
        self->setCurrentUser(profile);
        self->setIsLoggedIn(true);
    }
    co_return profile;
}

void StoreService::signOut()
{
    ++signOuts_;
    ++signInEpoch_;
    setAuthToken(std::nullopt);
    setCurrentUser(std::nullopt);
    setIsLoggedIn(false);
}

} // namespace zandrel
