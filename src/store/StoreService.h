#pragma once

#include "store/InstallResult.h"
#include "store/StoreAccount.h"
#include "store/StoreApp.h"
#include "store/StoreAppDetail.h"
#include "store/Updates.h"
#include "wire/HttpExchange.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <qcoro/qcorotask.h>

namespace zandrel {

// The one client of the store endpoints and the holder of the store sign-in state. Requests go to
// hubUrl + "/api/store/..."; a token, while held, is sent as a bearer token with every request.
// Failures are thrown: TransportError, StoreError (status outside 200-299), DecodeError, and
// InvalidRequestError for a slug that is not URL-safe (nothing is sent then).
class StoreService : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isLoggedIn READ isLoggedIn NOTIFY isLoggedInChanged)

public:
    static constexpr const char* defaultHubUrl = "http://127.0.0.1:3456";

    explicit StoreService(QString hubUrl = QString::fromLatin1(defaultHubUrl), QObject* parent = nullptr);

    const QString& hubUrl() const { return hubUrl_; }
    bool isLoggedIn() const { return isLoggedIn_; }
    const std::optional<UserProfile>& currentUser() const { return currentUser_; }
    const std::optional<QString>& authToken() const { return authToken_; }

    void setAuthToken(std::optional<QString> token);

    QCoro::Task<QList<StoreApp>> getApps(std::optional<QString> category = std::nullopt,
                                         std::optional<QString> search = std::nullopt);
    QCoro::Task<StoreAppDetail> getApp(QString slug);
    QCoro::Task<QList<StoreCategory>> getCategories();
    QCoro::Task<InstallResult> installApp(QString slug);
    // An install of the app is on its way, from whichever page or sheet, gone or not: pages built later
    // show it and send no second one.
    bool isInstalling(const QString& slug) const { return installing_.contains(slug); }
    QStringList installingSlugs() const { return installing_.keys(); }
    // How many installs of the app have succeeded since the service began: a sequence started earlier
    // tells from it that someone else has installed the app meanwhile.
    int installsDone(const QString& slug) const { return done_.value(slug); }
    QCoro::Task<UpdatesResponse> checkUpdates(QMap<QString, QString> installed);
    // On success: holds the token, sets currentUser (without avatar) and signs in, unless the user
    // signed out meanwhile.
    QCoro::Task<StoreAuthResponse> login(QString email, QString password);
    // On success: sets currentUser and signs in; the token is left as it is. The answer is handed to
    // the caller in any case, but it changes the sign-in state only while it is the latest fetch and
    // nothing has signed out, logged in or changed the token since it was sent.
    QCoro::Task<UserProfile> getAccount();
    // Forgets the token and the user; sends nothing.
    void signOut();

    // Letters, digits, "-", "_" and "." only, and not "." or "..": safe to put in a path unescaped.
    static bool isValidSlug(const QString& slug);
    // The catalogue's answer in either of its forms: a page of apps, or (older Hubs) a bare array.
    // Throws DecodeError.
    static QList<StoreApp> decodeCatalogue(const QByteArray& body);

Q_SIGNALS:
    void isLoggedInChanged();
    void currentUserChanged();
    void authTokenChanged();
    // An install of the app was sent; one has ended, and whether the Hub installed it.
    void installStarted(const QString& slug);
    void installEnded(const QString& slug, bool installed);

private:
    void setIsLoggedIn(bool value);
    void setCurrentUser(std::optional<UserProfile> user);

    QUrl url(const QString& path) const;
    QString slugPath(const QString& slug) const;
    HttpRequest request(QByteArray method, QUrl url, std::optional<QByteArray> body = std::nullopt) const;
    // Sends and answers the body of a 2xx response; anything else becomes a StoreError.
    static QCoro::Task<QByteArray> fetch(HttpRequest request);

    QString hubUrl_;
    bool isLoggedIn_ = false;
    std::optional<UserProfile> currentUser_;
    std::optional<QString> authToken_;
    // Moves on at every sign-out, login and token change: an account answer sent before speaks for a
    // sign-in that is no longer the current one.
    quint64 signInEpoch_ = 0;
    // Moves on at every sign-out: a login answered after one signs nobody in.
    quint64 signOuts_ = 0;
    quint64 accountSeq_ = 0;
    QHash<QString, int> installing_; // installs on their way, per app
    QHash<QString, int> done_;       // installs that succeeded, per app
    quint64 accountApplied_ = 0;     // the latest fetch whose answer was applied
};

} // namespace zandrel
