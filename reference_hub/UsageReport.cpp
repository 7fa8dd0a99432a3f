#include "UsageReport.h"

#include "HubContext.h"
#include "Providers.h"

#include <cmath>

namespace zandrel::hub {

namespace {

// Stable across runs, unlike qHash.
quint32 fnv1a(const QString& text)
{
    quint32 hash = 2166136261u;
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

struct Rhythm {
    double requestsPerDay;
    qint64 inputPerRequest;
    qint64 outputPerRequest;
    QString model;
};

Rhythm rhythmOf(const InstalledApp& app, const AIConfig& config)
{
    const quint32 h = fnv1a(app.info.id);
    QString model = config.appOverrides.value_or(QMap<QString, QString>()).value(app.info.id);
    if (model.isEmpty())
        model = config.defaultModel.value_or(QStringLiteral("llama3.2"));
    return Rhythm{12.0 + h % 40, 600 + qint64(h % 1400), 200 + qint64((h / 7) % 500), model};
}

UsageSummary summaryOver(const Rhythm& rhythm, double days)
{
    const qint64 count = days > 0 ? qint64(std::floor(rhythm.requestsPerDay * days)) : 0;
    const Providers::Price price = Providers::priceOf(rhythm.model);
    const qint64 in = count * rhythm.inputPerRequest;
    const qint64 out = count * rhythm.outputPerRequest;
    const double cost = (double(in) * price.input + double(out) * price.output) / 1e6;
    return UsageSummary{in, out, std::round(cost * 1e4) / 1e4, count};
}

UsageSummary& operator+=(UsageSummary& total, const UsageSummary& part)
{
    total.input_tokens += part.input_tokens;
    total.output_tokens += part.output_tokens;
    total.cost_estimate = std::round((total.cost_estimate + part.cost_estimate) * 1e4) / 1e4;
    total.count += part.count;
    return total;
}

double daysBetween(const QDateTime& from, const QDateTime& to)
{
    return std::max<qint64>(0, from.msecsTo(to)) / 86'400'000.0;
}

} // namespace

UsageResponse
UsageReport::build(const QList<InstalledApp>& apps, const AIConfig& config, const QDateTime& now)
{
    const QDateTime midnight = QDateTime(now.toLocalTime().date(), QTime(0, 0)).toUTC();
    UsageSummary today, week, month, all;
    QMap<QString, UsageSummary> perApp;
    QList<std::pair<QDateTime, UsageEntry>> recent;

    for (const InstalledApp& app : apps) {
        const Rhythm rhythm = rhythmOf(app, config);
        QDateTime since = QDateTime::fromString(app.installedAt, Qt::ISODateWithMs);
        if (!since.isValid())
            since = now;
        auto over = [&](const QDateTime& start) {
            return summaryOver(rhythm, daysBetween(std::max(start, since), now));
        };
        today += over(midnight);
        week += over(now.addDays(-7));
        month += over(now.addDays(-30));
        const UsageSummary lifetime = over(since);
        all += lifetime;
        perApp.insert(app.info.id, lifetime);

        // The app's latest requests, evenly spaced at its rhythm.
        const qint64 spacingMs = qint64(86'400'000.0 / rhythm.requestsPerDay);
        const Providers::Price price = Providers::priceOf(rhythm.model);
        for (qint64 k = 0; k < lifetime.count && k < recentEntryCount; ++k) {
            const QDateTime at = now.addMSecs(-(k + 1) * spacingMs + qint64(fnv1a(app.info.id) % 60000));
            const double cost =
                (rhythm.inputPerRequest * price.input + rhythm.outputPerRequest * price.output) / 1e6;
            UsageEntry entry;
            entry.insert(QStringLiteral("timestamp"), AnyCodableValue(isoTime(std::min(at, now))));
            entry.insert(QStringLiteral("app"), AnyCodableValue(app.info.id));
            entry.insert(QStringLiteral("model"), AnyCodableValue(rhythm.model));
            entry.insert(QStringLiteral("input_tokens"), AnyCodableValue(rhythm.inputPerRequest));
            entry.insert(QStringLiteral("output_tokens"), AnyCodableValue(rhythm.outputPerRequest));
            entry.insert(QStringLiteral("cost_estimate"), AnyCodableValue(std::round(cost * 1e6) / 1e6));
            recent.append({at, entry});
        }
    }

    std::sort(recent.begin(), recent.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<UsageEntry> recentEntries;
    for (qsizetype i = 0; i < recent.size() && i < recentEntryCount; ++i)
        recentEntries.append(recent.at(i).second);
    return UsageResponse{today, week, month, all, perApp, recentEntries};
}

} // namespace zandrel::hub
