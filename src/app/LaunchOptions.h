#pragma once

#include <QStringList>

namespace zandrel {

// What a launch may change about where the application looks: the Hub's port, and the store website
// that the browser sign-in opens. Both have fixed defaults; the environment can override them for a
// demo or a test.
struct LaunchOptions {
    // The store's web front end; its /auth/<provider> pages start a browser sign-in.
    static constexpr const char* defaultStoreWebsite = "https://store.zandrel.dev";
    static constexpr const char* hubPortVariable = "ZANDREL_HUB_PORT";
    static constexpr const char* storeWebsiteVariable = "ZANDREL_STORE_WEBSITE";

    int hubPort = 3456;
    QString storeWebsite = QString::fromLatin1(defaultStoreWebsite);
    // The zandrel: links the application was started with; a link decides the first section.
    QStringList links;
    // Where the window's preferences live; empty for the user's config folder.
    QString preferencesFile;

    // The defaults, with what the environment overrides: a port 1-65535, an http or https address
    // (anything else is ignored).
    static LaunchOptions fromEnvironment();
};

} // namespace zandrel
