#pragma once

#include "store/StoreApp.h"

namespace zandrel {

// A published version of a store app.
struct VersionInfo {
    QString id;
    QString version;
    qint64 build_number = 0;
    std::optional<QString> release_notes;
    std::optional<qint64> binary_size;
    std::optional<QString> min_os_version;
    std::optional<QString> min_hub_version;
    std::optional<QString> sdk_version;
    std::optional<QStringList> supported_architectures;
    std::optional<QString> status;
    std::optional<qint64> rollout_percent;
    std::optional<QString> created_at;

    bool operator==(const VersionInfo&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &VersionInfo::id),
                          field("version", &VersionInfo::version),
                          field("build_number", &VersionInfo::build_number),
                          field("release_notes", &VersionInfo::release_notes),
                          field("binary_size", &VersionInfo::binary_size),
                          field("min_os_version", &VersionInfo::min_os_version),
                          field("min_hub_version", &VersionInfo::min_hub_version),
                          field("sdk_version", &VersionInfo::sdk_version),
                          field("supported_architectures", &VersionInfo::supported_architectures),
                          field("status", &VersionInfo::status),
                          field("rollout_percent", &VersionInfo::rollout_percent),
                          field("created_at", &VersionInfo::created_at)};
    }
};

// The full record of a store app; identified by `slug`.
struct StoreAppDetail {
    QString slug;
    QString name;
    QString short_description;
    QString description;
    QString icon_url;
    AppCategory category;
    std::optional<QString> developer_name;
    qint64 price_cents = 0;
    bool is_free = false;
    double average_rating = 0;
    qint64 review_count = 0;
    qint64 download_count = 0;
    std::optional<qint64> active_install_count;
    QStringList screenshots;
    std::optional<VersionInfo> latest_version;
    std::optional<QString> min_os_version;
    std::optional<QString> min_hub_version;
    std::optional<QString> min_sdk_version;
    std::optional<QStringList> required_permissions;
    std::optional<QStringList> supported_architectures;
    std::optional<QString> status;
    std::optional<bool> featured;
    std::optional<QString> published_at;
    std::optional<QString> created_at;
    std::optional<QString> updated_at;

    bool operator==(const StoreAppDetail&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("slug", &StoreAppDetail::slug),
                          field("name", &StoreAppDetail::name),
                          field("short_description", &StoreAppDetail::short_description),
                          field("description", &StoreAppDetail::description),
                          field("icon_url", &StoreAppDetail::icon_url),
                          field("category", &StoreAppDetail::category),
                          field("developer_name", &StoreAppDetail::developer_name),
                          field("price_cents", &StoreAppDetail::price_cents),
                          field("is_free", &StoreAppDetail::is_free),
                          field("average_rating", &StoreAppDetail::average_rating),
                          field("review_count", &StoreAppDetail::review_count),
                          field("download_count", &StoreAppDetail::download_count),
                          field("active_install_count", &StoreAppDetail::active_install_count),
                          field("screenshots", &StoreAppDetail::screenshots),
                          field("latest_version", &StoreAppDetail::latest_version),
                          field("min_os_version", &StoreAppDetail::min_os_version),
                          field("min_hub_version", &StoreAppDetail::min_hub_version),
                          field("min_sdk_version", &StoreAppDetail::min_sdk_version),
                          field("required_permissions", &StoreAppDetail::required_permissions),
                          field("supported_architectures", &StoreAppDetail::supported_architectures),
                          field("status", &StoreAppDetail::status),
                          field("featured", &StoreAppDetail::featured),
                          field("published_at", &StoreAppDetail::published_at),
                          field("created_at", &StoreAppDetail::created_at),
                          field("updated_at", &StoreAppDetail::updated_at)};
    }
};

} // namespace zandrel
