#include "Catalogue.h"

#include <QFile>

namespace zandrel::hub {

namespace {

const QStringList kArchitectures{QStringLiteral("x86_64"), QStringLiteral("arm64")};
const QString kMinOsVersion = QStringLiteral("13.0");

QString storeUrl(const QString& path)
{
    return QString::fromLatin1(Catalogue::storeHost) + path;
}

bool contains(const QString& text, const QString& needle)
{
    return text.contains(needle, Qt::CaseInsensitive);
}

} // namespace

Catalogue Catalogue::builtIn()
{
    QFile file(QStringLiteral(":/seed/catalogue.json"));
    if (!file.open(QIODevice::ReadOnly))
        throw DecodeError(QStringLiteral("the built-in catalogue is missing"));
    return Catalogue(wire::decodeJson<CatalogueSeed>(file.readAll()));
}

Catalogue::Catalogue(CatalogueSeed seed)
    : seed_(std::move(seed))
{
    for (const CatalogueApp& app : seed_.apps) {
        if (app.versions.isEmpty())
            throw DecodeError(QStringLiteral("%1 has no versions").arg(app.slug));
        categoryOf(app); // throws for an undefined category
    }
}

const AppCategory& Catalogue::categoryOf(const CatalogueApp& app) const
{
    for (const AppCategory& category : seed_.categories) {
        if (category.slug == app.category)
            return category;
    }
    throw DecodeError(QStringLiteral("%1 names the undefined category \"%2\"").arg(app.slug, app.category));
}

const CatalogueApp* Catalogue::find(const QString& slug) const
{
    for (const CatalogueApp& app : seed_.apps) {
        if (app.slug.compare(slug, Qt::CaseInsensitive) == 0)
            return &app;
    }
    return nullptr;
}

QList<const CatalogueApp*> Catalogue::matching(const QString& category, const QString& search) const
{
    const QString needle = search.trimmed();
    QList<const CatalogueApp*> found;
    for (const CatalogueApp& app : seed_.apps) {
        if (!category.isEmpty() && app.category.compare(category, Qt::CaseInsensitive) != 0)
            continue;
        if (!needle.isEmpty() && !contains(app.name, needle) && !contains(app.short_description, needle) &&
            !contains(app.description, needle))
            continue;
        found.append(&app);
    }
    return found;
}

QList<StoreCategory> Catalogue::categories() const
{
    QList<StoreCategory> list;
    for (const AppCategory& c : seed_.categories)
        list.append(StoreCategory{c.slug, c.name, c.icon, c.description});
    return list;
}

StoreApp Catalogue::summary(const CatalogueApp& app) const
{
    return StoreApp{app.slug,
                    app.name,
                    app.short_description,
                    storeUrl(QStringLiteral("/icons/%1.png").arg(app.slug)),
                    categoryOf(app),
                    app.developer_name,
                    app.price_cents,
                    app.isFree(),
                    app.average_rating,
                    app.review_count,
                    app.download_count,
                    app.featured};
}

StoreAppDetail Catalogue::detail(const CatalogueApp& app) const
{
    QStringList screenshots;
    for (qint64 i = 1; i <= app.screenshot_count; ++i)
        screenshots.append(storeUrl(QStringLiteral("/screenshots/%1-%2.png").arg(app.slug).arg(i)));

    StoreAppDetail detail;
    detail.slug = app.slug;
    detail.name = app.name;
    detail.short_description = app.short_description;
    detail.description = app.description;
    detail.icon_url = storeUrl(QStringLiteral("/icons/%1.png").arg(app.slug));
    detail.category = categoryOf(app);
    detail.developer_name = app.developer_name;
    detail.price_cents = app.price_cents;
    detail.is_free = app.isFree();
    detail.average_rating = app.average_rating;
    detail.review_count = app.review_count;
    detail.download_count = app.download_count;
    detail.active_install_count = app.active_install_count;
    detail.screenshots = screenshots;
    detail.latest_version = versionInfo(app, app.latest());
    detail.min_os_version = kMinOsVersion;
    detail.min_hub_version = app.min_hub_version;
    detail.min_sdk_version = app.min_sdk_version;
    detail.required_permissions = app.required_permissions;
    detail.supported_architectures = kArchitectures;
    detail.status = QStringLiteral("published");
    detail.featured = app.featured;
    detail.published_at = app.published_at;
    detail.created_at = app.created_at;
    detail.updated_at = app.updated_at;
    return detail;
}

VersionInfo Catalogue::versionInfo(const CatalogueApp& app, const SeedVersion& version)
{
    VersionInfo info;
    info.id = QStringLiteral("ver-%1-%2").arg(app.slug, version.version);
    info.version = version.version;
    info.build_number = version.build_number;
    info.release_notes = version.release_notes;
    info.binary_size = version.binary_size;
    info.min_os_version = kMinOsVersion;
    info.min_hub_version = app.min_hub_version;
    info.sdk_version = app.min_sdk_version;
    info.supported_architectures = kArchitectures;
    info.status = QStringLiteral("published");
    info.rollout_percent = 100;
    info.created_at = version.created_at;
    return info;
}

PermissionSet Catalogue::requestedPermissions(const CatalogueApp& app)
{
    const QStringList& asked = app.required_permissions;
    return PermissionSet{asked.contains(u"read"), asked.contains(u"write"), asked.contains(u"actions")};
}

AppInfo Catalogue::appInfo(const CatalogueApp& app, const QString& version)
{
    return AppInfo{app.slug, app.name, version, app.short_description, app.actions, app.files};
}

QString Catalogue::packageUrl(const CatalogueApp& app, const SeedVersion& version)
{
    return storeUrl(QStringLiteral("/packages/%1-%2.zip").arg(app.slug, version.version));
}

} // namespace zandrel::hub
