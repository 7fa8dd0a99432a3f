#pragma once

#include "hub_api/AppInfo.h"
#include "hub_api/PermissionSet.h"
#include "hub_api/SessionEntry.h"
#include "store/StoreApp.h"
#include "store/StoreAppDetail.h"

namespace zandrel::hub {

using wire::field;

// One published version of a catalogue app, as the seed lists it (newest first).
struct SeedVersion {
    QString version;
    qint64 build_number = 0;
    QString release_notes;
    qint64 binary_size = 0;
    QString created_at;
    std::optional<bool> required; // an update users should not skip

    static constexpr auto jsonFields()
    {
        return std::tuple{field("version", &SeedVersion::version),
                          field("build_number", &SeedVersion::build_number),
                          field("release_notes", &SeedVersion::release_notes),
                          field("binary_size", &SeedVersion::binary_size),
                          field("created_at", &SeedVersion::created_at),
                          field("required", &SeedVersion::required)};
    }
};

// A stored conversation of an app; its times are given relative to the moment they are asked for.
struct SeedSession {
    QString id;
    QString title;
    qint64 messageCount = 0;
    QString preview;
    qint64 created_hours_ago = 0;
    qint64 updated_hours_ago = 0;

    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &SeedSession::id),
                          field("title", &SeedSession::title),
                          field("messageCount", &SeedSession::messageCount),
                          field("preview", &SeedSession::preview),
                          field("created_hours_ago", &SeedSession::created_hours_ago),
                          field("updated_hours_ago", &SeedSession::updated_hours_ago)};
    }
};

struct CatalogueApp {
    QString slug;
    QString name;
    QString category; // a category slug
    QString developer_name;
    QString short_description;
    QString description;
    qint64 price_cents = 0;
    double average_rating = 0;
    qint64 review_count = 0;
    qint64 download_count = 0;
    qint64 active_install_count = 0;
    bool featured = false;
    QString min_hub_version;
    std::optional<QString> min_sdk_version;
    QStringList required_permissions; // "read", "write", "actions"
    QString published_at;
    QString created_at;
    QString updated_at;
    qint64 screenshot_count = 0;
    QList<SeedVersion> versions;
    std::optional<QString> preinstalled_version; // installed at this version on a first start
    QList<ActionInfo> actions;
    QList<FileInfo> files;
    std::optional<QList<SeedSession>> sessions;

    bool isFree() const { return price_cents == 0; }
    const SeedVersion& latest() const { return versions.first(); }

    static constexpr auto jsonFields()
    {
        return std::tuple{field("slug", &CatalogueApp::slug),
                          field("name", &CatalogueApp::name),
                          field("category", &CatalogueApp::category),
                          field("developer_name", &CatalogueApp::developer_name),
                          field("short_description", &CatalogueApp::short_description),
                          field("description", &CatalogueApp::description),
                          field("price_cents", &CatalogueApp::price_cents),
                          field("average_rating", &CatalogueApp::average_rating),
                          field("review_count", &CatalogueApp::review_count),
                          field("download_count", &CatalogueApp::download_count),
                          field("active_install_count", &CatalogueApp::active_install_count),
                          field("featured", &CatalogueApp::featured),
                          field("min_hub_version", &CatalogueApp::min_hub_version),
                          field("min_sdk_version", &CatalogueApp::min_sdk_version),
                          field("required_permissions", &CatalogueApp::required_permissions),
                          field("published_at", &CatalogueApp::published_at),
                          field("created_at", &CatalogueApp::created_at),
                          field("updated_at", &CatalogueApp::updated_at),
                          field("screenshot_count", &CatalogueApp::screenshot_count),
                          field("versions", &CatalogueApp::versions),
                          field("preinstalled_version", &CatalogueApp::preinstalled_version),
                          field("actions", &CatalogueApp::actions),
                          field("files", &CatalogueApp::files),
                          field("sessions", &CatalogueApp::sessions)};
    }
};

struct CatalogueSeed {
    QList<AppCategory> categories;
    QList<CatalogueApp> apps;

    static constexpr auto jsonFields()
    {
        return std::tuple{field("categories", &CatalogueSeed::categories),
                          field("apps", &CatalogueSeed::apps)};
    }
};

// The store's catalogue: the seed data and the store records built from it.
class Catalogue {
public:
    // The catalogue built into the program. Throws DecodeError when the seed does not decode or
    // names a category it does not define, or an app without versions.
    static Catalogue builtIn();
    explicit Catalogue(CatalogueSeed seed);

    const QList<CatalogueApp>& apps() const { return seed_.apps; }
    const QList<AppCategory>& appCategories() const { return seed_.categories; }
    // By slug, ignoring case (install links may be typed by hand).
    const CatalogueApp* find(const QString& slug) const;

    // In catalogue order, those in the category (by slug; empty means all) whose name or
    // descriptions contain the search text, ignoring case (empty means all).
    QList<const CatalogueApp*> matching(const QString& category, const QString& search) const;

    QList<StoreCategory> categories() const;
    StoreApp summary(const CatalogueApp& app) const;
    StoreAppDetail detail(const CatalogueApp& app) const;
    static VersionInfo versionInfo(const CatalogueApp& app, const SeedVersion& version);
    // The permissions an app asks for, granted as asked: what a fresh install starts with.
    static PermissionSet requestedPermissions(const CatalogueApp& app);
    // The app as the Hub lists it once installed at `version`.
    static AppInfo appInfo(const CatalogueApp& app, const QString& version);
    // Where the store would serve the package of a version.
    static QString packageUrl(const CatalogueApp& app, const SeedVersion& version);

    static constexpr const char* storeHost = "https://store.zandrel.dev";

private:
    const AppCategory& categoryOf(const CatalogueApp& app) const;

    CatalogueSeed seed_;
};

} // namespace zandrel::hub
