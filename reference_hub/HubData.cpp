#include "HubData.h"

namespace zandrel::hub {

const InstalledApp* HubData::findInstalled(const QString& idOrName) const {
    for (const InstalledApp& app : installed) {
        if (app.info.id.compare(idOrName, Qt::CaseInsensitive) == 0 ||
            app.info.name.compare(idOrName, Qt::CaseInsensitive) == 0)
            return &app;
    }
    return nullptr;
}

InstalledApp* HubData::findInstalled(const QString& idOrName) {
    return const_cast<InstalledApp*>(std::as_const(*this).findInstalled(idOrName));
}

void HubData::audited(AuditEntry entry) {
    audit.append(std::move(entry));
    if (audit.size() > maxAuditEntries)
        audit.remove(0, audit.size() - maxAuditEntries);
}

} // namespace zandrel::hub
