#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// The category embedded in a store app.
struct AppCategory {
    QString id;
    QString name;
    QString slug;
    QString icon;
    std::optional<QString> description;
    std::optional<qint64> sort_order;

    bool operator==(const AppCategory&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("id", &AppCategory::id),
                          field("name", &AppCategory::name),
                          field("slug", &AppCategory::slug),
                          field("icon", &AppCategory::icon),
                          field("description", &AppCategory::description),
                          field("sort_order", &AppCategory::sort_order)};
    }
};

// An entry of the category list; identified by `slug`.
struct StoreCategory {
    QString slug;
    QString name;
    QString icon;
    std::optional<QString> description;

    bool operator==(const StoreCategory&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("slug", &StoreCategory::slug),
                          field("name", &StoreCategory::name),
                          field("icon", &StoreCategory::icon),
                          field("description", &StoreCategory::description)};
    }
};

// A catalogue entry; identified by `slug`.
struct StoreApp {
    QString slug;
    QString name;
    QString short_description;
    QString icon_url;
    AppCategory category;
    std::optional<QString> developer_name;
    qint64 price_cents = 0;
    bool is_free = false;
    double average_rating = 0;
    qint64 review_count = 0;
    qint64 download_count = 0;
    std::optional<bool> featured;

    bool operator==(const StoreApp&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("slug", &StoreApp::slug),
                          field("name", &StoreApp::name),
                          field("short_description", &StoreApp::short_description),
                          field("icon_url", &StoreApp::icon_url),
                          field("category", &StoreApp::category),
                          field("developer_name", &StoreApp::developer_name),
                          field("price_cents", &StoreApp::price_cents),
                          field("is_free", &StoreApp::is_free),
                          field("average_rating", &StoreApp::average_rating),
                          field("review_count", &StoreApp::review_count),
                          field("download_count", &StoreApp::download_count),
                          field("featured", &StoreApp::featured)};
    }
};

// The paged form of the catalogue listing.
struct PaginatedStoreApps {
    QList<StoreApp> results;
    std::optional<qint64> count;
    std::optional<qint64> page;

    bool operator==(const PaginatedStoreApps&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("results", &PaginatedStoreApps::results),
                          field("count", &PaginatedStoreApps::count),
                          field("page", &PaginatedStoreApps::page)};
    }
};

} // namespace zandrel
