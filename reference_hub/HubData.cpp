#include "HubData.h"

namespace zandrel::hub {

const InstalledApp* HubData::findInstalled(const QString& idOrName) const
{
    for (const InstalledApp& app : installed) {
        if (app.info.id.compare(idOrName, Qt::CaseInsensitive) == 0 ||
            app.info.name.compare(idOrName, Qt::CaseInsensitive) == 0)
            return &app;
    }
    return nullptr;
}

InstalledApp* HubData::findInstalled(const QString& idOrName)
{
    return const_cast<InstalledApp*>(std::as_const(*this).findInstalled(idOrName));
}

const ProviderSignIn* HubData::activeSignIn(const QString& provider, const QString& now) const
{
    for (const ProviderSignIn& signIn : signIns) {
        if (signIn.provider == provider && signIn.expiresAt > now)
            return &signIn;
    }
    return nullptr;
}

void HubData::audited(AuditEntry entry)
{
    audit.append(std::move(entry));
    if (audit.size() > maxAuditEntries)
        audit.remove(0, audit.size() - maxAuditEntries);
}

} // namespace zandrel::hub
