#include "settings/PermissionsState.h"

#include "hub_api/HubAPIClient.h"
#include "wire/Error.h"
#include "wire/HttpExchange.h"

#include <QPointer>
#include <algorithm>

namespace zandrel {

namespace {

std::optional<bool>* member(PermissionSet& set, const QString& perm)
{
    if (perm == u"read")
        return &set.read;
    if (perm == u"write")
        return &set.write;
    if (perm == u"actions")
        return &set.actions;
    return nullptr;
}

} // namespace

PermissionsState::PermissionsState(int port, QObject* parent)
    : QObject(parent)
    , port_(port)
{}

void PermissionsState::setPermissions(PermissionMap permissions)
{
    if (permissions == permissions_)
        return;
    permissions_ = std::move(permissions);
    Q_EMIT permissionsChanged();
}

void PermissionsState::setAuditLog(QList<AuditEntry> entries)
{
    if (entries == auditLog_)
        return;
    auditLog_ = std::move(entries);
    Q_EMIT auditLogChanged();
}

void PermissionsState::setIsLoading(bool value)
{
    if (value == isLoading_)
        return;
    isLoading_ = value;
    Q_EMIT isLoadingChanged();
}

void PermissionsState::setError(std::optional<QString> error)
{
    // Exchanges ended by quitting are nobody's failure.
    if (error && HttpExchange::isShutDown())
        return;
    if (error == error_)
        return;
    error_ = std::move(error);
    Q_EMIT errorChanged();
}

QCoro::Task<> PermissionsState::readPermissions()
{
    QPointer<PermissionsState> self(this);
    const quint64 read = ++readSeq_;
    readOut_ = true;
    // This read sees every flip accepted so far.
    localFlips_.removeIf([](const LocalFlip& flip) { return flip.accepted; });
    std::exception_ptr failure;
    PermissionMap answer;
    try {
        answer = co_await HubAPIClient(port_).getPermissions();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (read == readSeq_) {
        readOut_ = false;
        if (!failure)
            applyRead(std::move(answer));
        // No read is out any more that an accepted flip could be newer than.
        localFlips_.removeIf([](const LocalFlip& flip) { return flip.accepted; });
    }
    if (failure)
        std::rethrow_exception(failure);
}

void PermissionsState::applyRead(PermissionMap answer)
{
    // In the order made, so the latest flip of a switch shows. An app the Hub no longer lists stays gone.
    for (const LocalFlip& flip : std::as_const(localFlips_)) {
        // Only a switch's latest flip: an earlier one still on its way is not what the user wants.
        if (flips_.value(flip.app + u'/' + flip.perm) != flip.id)
            continue;
        const auto set = answer.find(flip.app);
        if (set != answer.end())
            *member(*set, flip.perm) = flip.value;
    }
    setPermissions(std::move(answer));
}

QCoro::Task<> PermissionsState::load()
{
    QPointer<PermissionsState> self(this);
    const quint64 load = ++loadSeq_;
    setIsLoading(true);
    try {
        co_await readPermissions();
        if (!self || load != loadSeq_)
            co_return;
        // A longer log asked for meanwhile is asked for again here: this answer will be the latest.
        const int limit = std::max(auditLimit_, moreLimit_);
        const quint64 audit = ++auditSeq_;
        QList<AuditEntry> entries = co_await HubAPIClient(port_).getAuditLog(limit);
        if (!self || load != loadSeq_)
            co_return;
        if (audit == auditSeq_) {
            auditLimit_ = limit;
            setAuditLog(std::move(entries));
        }
        setError(std::nullopt);
    } catch (...) {
        if (!self || load != loadSeq_)
            co_return;
        setError(describeException(std::current_exception()));
    }
    setIsLoading(false);
}

QCoro::Task<> PermissionsState::showMoreAudit()
{
    QPointer<PermissionsState> self(this);
    if (!canShowMoreAudit())
        co_return;
    const int steps[] = {100, 250, 500, maxAuditLimit};
    const int limit =
        *std::find_if(std::begin(steps), std::end(steps), [this](int step) { return step > auditLimit_; });
    const quint64 audit = ++auditSeq_;
    moreLimit_ = limit;
    setLoadingMore(true);
    std::optional<QString> failure;
    QList<AuditEntry> entries;
    try {
        entries = co_await HubAPIClient(port_).getAuditLog(limit);
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (!self)
        co_return;
    if (moreLimit_ == limit)
        moreLimit_ = 0;
    if (audit == auditSeq_) {
        if (failure) {
            setError(failure);
        } else {
            auditLimit_ = limit;
            setAuditLog(std::move(entries));
        }
    }
    setLoadingMore(false);
}

void PermissionsState::setLoadingMore(bool value)
{
    if (value == loadingMore_)
        return;
    loadingMore_ = value;
    Q_EMIT isLoadingMoreAuditChanged();
}

QCoro::Task<> PermissionsState::togglePermission(QString app, QString perm, bool value)
{
    QPointer<PermissionsState> self(this);
    PermissionSet set = permissions_.value(app);
    std::optional<bool>* slot = member(set, perm);
    if (!slot)
        co_return;
    const std::optional<bool> before = *slot;
    *slot = value;
    PermissionMap changed = permissions_;
    changed.insert(app, set);
    setPermissions(std::move(changed));
    const quint64 flip = ++flipSeq_;
    flips_[app + u'/' + perm] = flip;
    localFlips_.append({flip, app, perm, value, false});
    ++inFlight_[app];

    std::optional<QString> failure;
    try {
        co_await HubAPIClient(port_).updatePermissions(app, set);
    } catch (...) {
        failure = describeException(std::current_exception());
    }
    if (!self)
        co_return;
    --inFlight_[app];
    const auto record = std::find_if(
        localFlips_.begin(), localFlips_.end(), [flip](const LocalFlip& f) { return f.id == flip; });
    Q_ASSERT(record != localFlips_.end());
    // A read sent before the Hub took the flip may answer without it; later reads know it.
    if (failure || !readOut_)
        localFlips_.erase(record);
    else
        record->accepted = true;
    if (failure) {
        // Refused: put the switch back where it was, unless it has been flipped again since.
        if (flips_.value(app + u'/' + perm) == flip && permissions_.contains(app)) {
            PermissionMap restored = permissions_;
            *member(restored[app], perm) = before;
            setPermissions(std::move(restored));
        }
        refused_[app] = *failure;
    }
    // Each flip sends the app's whole set, so a flip that went through may have carried a refused
    // change after all, or one still on its way may yet: once the last of the app's requests is
    // answered, only the Hub can say what holds (with the flips of other apps laid over it).
    if (inFlight_.value(app) > 0 || !refused_.contains(app))
        co_return;
    const QString reason = refused_.take(app);
    try {
        co_await readPermissions();
    } catch (...) {
        // The refusal is the error worth keeping.
    }
    if (!self)
        co_return;
    setError(reason);
}

std::optional<QString> PermissionsState::auditTimeText(const std::optional<QString>& timestamp)
{
    if (!timestamp)
        return std::nullopt;
    const qsizetype t = timestamp->indexOf(u'T');
    if (t < 0)
        return *timestamp;
    const QString time = timestamp->mid(t + 1);
    const qsizetype dot = time.indexOf(u'.');
    return dot >= 0 ? time.left(dot) : time.left(8);
}

} // namespace zandrel
