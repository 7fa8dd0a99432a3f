#include "FirstStart.h"

#include "HubContext.h"

namespace zandrel::hub {

namespace {

AIConfig localOnlyConfig()
{
    AIConfig config;
    config.providers =
        QMap<QString, AIProviderConfig>{{QStringLiteral("ollama"),
                                         AIProviderConfig{std::nullopt,
                                                          QStringLiteral("llama3.2"),
                                                          QStringLiteral("http://127.0.0.1:11434"),
                                                          std::nullopt}}};
    config.defaultModel = QStringLiteral("llama3.2");
    config.fallbackOrder = QStringList{QStringLiteral("ollama")};
    return config;
}

AuditEntry entryAt(const QDateTime& time,
                   const QString& app,
                   const QString& action,
                   const QString& endpoint,
                   bool allowed,
                   const QString& actionName)
{
    AuditEntry entry = auditEntry(app, action, endpoint, allowed, actionName);
    entry.timestamp = isoTime(time);
    return entry;
}

} // namespace

HubData FirstStart::seed(const Catalogue& catalogue,
                         const AppBundles& bundles,
                         const QDateTime& now,
                         QStringList* warnings)
{
    HubData data;
    data.ai = localOnlyConfig();

    QList<AuditEntry> history;
    int index = 0;
    for (const CatalogueApp& app : catalogue.apps()) {
        if (!app.preinstalled_version)
            continue;
        const QString version = *app.preinstalled_version;
        const QDateTime installed = now.addDays(-(40 - 9 * index)).addSecs(-3600 * (index + 2));
        QString bundle;
        try {
            bundle = bundles.install(app, version);
        } catch (const BundleError& e) {
            warnings->append(
                QStringLiteral("%1 is not preinstalled: %2").arg(app.name, QString::fromUtf8(e.what())));
            continue;
        }
        data.installed.append(
            InstalledApp{Catalogue::appInfo(app, version), bundle, isoTime(installed), isoTime(installed)});
        const PermissionSet granted = Catalogue::requestedPermissions(app);
        data.permissions.insert(app.name, granted);

        history.append(entryAt(installed,
                               app.name,
                               QStringLiteral("install"),
                               QStringLiteral("POST /api/store/apps/%1/install").arg(app.slug),
                               true,
                               QStringLiteral("installed ") + version));
        const QString file =
            app.files.isEmpty() ? QStringLiteral("data.json") : app.files.first().path.value_or(QString());
        history.append(entryAt(now.addSecs(-5400 - 1300 * index),
                               app.name,
                               QStringLiteral("read"),
                               QStringLiteral("/api/files/") + file,
                               granted.read.value_or(false),
                               QString()));
        if (!app.actions.isEmpty()) {
            const ActionInfo& action = app.actions.first();
            history.append(entryAt(now.addSecs(-3000 - 900 * index),
                                   app.name,
                                   QStringLiteral("action"),
                                   QStringLiteral("/api/apps/%1/actions/%2").arg(app.slug, action.name),
                                   granted.actions.value_or(false),
                                   action.name));
        }
        // Two weeks of everyday use before that, so the log has days to filter and more than one page.
        for (int day = 14; day >= 1; --day) {
            for (int use = 0; use < 3; ++use) {
                const QDateTime at = now.addDays(-day).addSecs(-3600 * (3 * use + index) - 97 * day);
                const bool writes = (day + use + index) % 4 == 0;
                const bool denied = !(writes ? granted.write : granted.read).value_or(false);
                history.append(entryAt(at,
                                       app.name,
                                       writes ? QStringLiteral("write") : QStringLiteral("read"),
                                       QStringLiteral("/api/files/") + file,
                                       !denied,
                                       QString()));
            }
        }
        ++index;
    }
    std::sort(history.begin(), history.end(), [](const AuditEntry& a, const AuditEntry& b) {
        return a.timestamp < b.timestamp;
    });
    for (AuditEntry& entry : history)
        data.audited(std::move(entry));
    return data;
}

} // namespace zandrel::hub
