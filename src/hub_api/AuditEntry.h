#pragma once

#include "wire/JsonCodec.h"

namespace zandrel {

using wire::field;

// One line of the Hub's audit log.
struct AuditEntry {
    std::optional<QString> timestamp;
    std::optional<QString> app;
    std::optional<QString> action;
    std::optional<QString> endpoint;
    std::optional<bool> allowed;
    std::optional<QString> actionName;
    std::optional<QString> note;

    // List identity, computed rather than sent: "timestamp-app-action", absent parts empty.
    QString id() const
    {
        return timestamp.value_or(QString()) + u'-' + app.value_or(QString()) + u'-' +
               action.value_or(QString());
    }

    // What the entry touched, as the log shows it: the action's name, or the endpoint without one (an
    // empty name says no more than a missing one).
    QString target() const
    {
        return actionName && !actionName->isEmpty() ? *actionName : endpoint.value_or(QString());
    }

    bool operator==(const AuditEntry&) const = default;
    static constexpr auto jsonFields()
    {
        return std::tuple{field("timestamp", &AuditEntry::timestamp),
                          field("app", &AuditEntry::app),
                          field("action", &AuditEntry::action),
                          field("endpoint", &AuditEntry::endpoint),
                          field("allowed", &AuditEntry::allowed),
                          field("actionName", &AuditEntry::actionName),
                          field("note", &AuditEntry::note)};
    }
};

} // namespace zandrel
