#include "app/LaunchOptions.h"

#include <QUrl>

namespace zandrel {

LaunchOptions LaunchOptions::fromEnvironment()
{
    LaunchOptions options;
    bool isNumber = false;
    const int port = qEnvironmentVariableIntValue(hubPortVariable, &isNumber);
    if (isNumber && port > 0 && port <= 65535)
        options.hubPort = port;
    const QString website = qEnvironmentVariable(storeWebsiteVariable).trimmed();
    const QUrl url(website, QUrl::StrictMode);
    if (url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http") && !url.host().isEmpty()) {
        // The provider paths are appended to it; a trailing slash would double theirs.
        QString base = website;
        while (base.endsWith(u'/'))
            base.chop(1);
        options.storeWebsite = base;
    }
    return options;
}

} // namespace zandrel
