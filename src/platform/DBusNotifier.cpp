#include "platform/DBusNotifier.h"

#include "platform/Platform.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace zandrel {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

} // namespace

DBusNotifier::DBusNotifier(QDBusConnection bus,
                           QString applicationName,
                           QString desktopEntry,
                           QObject* parent)
    : Notifier(parent)
    , bus_(std::move(bus))
    , applicationName_(std::move(applicationName))
    , desktopEntry_(std::move(desktopEntry))
{
    // Naming the service makes the bus deliver only what its owner sends, not a look-alike from
    // another client.
    bus_.connect(
        service, path, interface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    bus_.connect(service,
                 path,
                 interface,
                 QStringLiteral("NotificationClosed"),
                 this,
                 SLOT(notificationClosed(uint, uint)));
    bus_.connect(service,
                 path,
                 interface,
                 QStringLiteral("ActivationToken"),
                 this,
                 SLOT(activationToken(uint, QString)));
}

DBusNotifier::~DBusNotifier()
{
    for (const Slot& each : slots_) {
        if (each.id != 0)
            close(each.id);
    }
}

void DBusNotifier::show(Kind kind, const Notice& notice)
{
    Slot& target = slot(kind);
    target.wanted = notice;
    if (asked_ != Capabilities::Known) {
        // Sent once the service has said what it can show.
        askCapabilities();
        return;
    }
    if (target.inFlight) {
        target.resend = true;
        return;
    }
    send(kind);
}

void DBusNotifier::withdraw(Kind kind)
{
    Slot& target = slot(kind);
    target.wanted.reset();
    target.resend = false;
    // One still in flight is closed when its id arrives.
    if (!target.inFlight && target.id != 0) {
        close(target.id);
        target.id = 0;
    }
}

std::optional<Notifier::Kind> DBusNotifier::kindOf(uint id) const
{
    if (id == 0)
        return std::nullopt;
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].id == id)
            return Kind(i);
    }
    return std::nullopt;
}

void DBusNotifier::askCapabilities()
{
    if (asked_ == Capabilities::Asking)
        return;
    if (!bus_.isConnected()) {
        // No bus at all (its calls would never be answered).
        noService();
        return;
    }
    asked_ = Capabilities::Asking;
    auto* watcher =
        new QDBusPendingCallWatcher(bus_.asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DBusNotifier::capabilitiesAnswered);
}

void DBusNotifier::capabilitiesAnswered(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    const QDBusPendingReply<QStringList> reply = *watcher;
    if (reply.isError()) {
        noService();
        return;
    }
    asked_ = Capabilities::Known;
    capabilities_ = reply.value();
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].wanted && !slots_[i].inFlight)
            send(Kind(i));
    }
}

void DBusNotifier::noService()
{
    // The fallback shows what waits, and the next notice asks again: a service may start later.
    asked_ = Capabilities::Unknown;
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].wanted && !slots_[i].inFlight) {
            showFallback(Kind(i), *slots_[i].wanted);
            slots_[i].wanted.reset();
        }
    }
}

void DBusNotifier::send(Kind kind)
{
    Slot& target = slot(kind);
    const Notice& notice = *target.wanted;
    target.inFlight = true;
    target.resend = false;
    // Buttons only where the service shows them; the click on the notice itself always has a key.
    const bool buttons = capabilities_.contains(QStringLiteral("actions"));
    QStringList actions;
    for (const auto& [key, label] : notice.actions) {
        if (buttons || key == QLatin1String(defaultAction))
            actions << key << label;
    }
    QVariantMap hints{{QStringLiteral("desktop-entry"), desktopEntry_},
                      {QStringLiteral("urgency"), QVariant::fromValue(uchar(notice.failure ? 2 : 1))}};
    // A service that reads markup must show an error text with "<" or "&" as text.
    const QString body =
        capabilities_.contains(QStringLiteral("body-markup")) ? notice.body.toHtmlEscaped() : notice.body;
    QDBusMessage message = call(QStringLiteral("Notify"));
    message << applicationName_ << target.id << desktopEntry_ << notice.title << body << actions << hints
            << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(watcher,
            &QDBusPendingCallWatcher::finished,
            this,
            [this, kind](QDBusPendingCallWatcher* answered) { sendAnswered(kind, answered); });
}

void DBusNotifier::sendAnswered(Kind kind, QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    Slot& target = slot(kind);
    target.inFlight = false;
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        // The service went away: the next notice asks anew.
        asked_ = Capabilities::Unknown;
        target.id = 0;
        if (target.wanted)
            showFallback(kind, *target.wanted);
        target.wanted.reset();
        return;
    }
    const uint id = reply.value();
    if (!target.wanted) {
        close(id);
        target.id = 0;
        return;
    }
    target.id = id;
    if (target.resend)
        send(kind);
}

void DBusNotifier::close(uint id)
{
    QDBusMessage message = call(QStringLiteral("CloseNotification"));
    message << id;
    bus_.send(message);
    tokens_.remove(id);
}

void DBusNotifier::actionInvoked(uint id, const QString& action)
{
    const std::optional<Kind> kind = kindOf(id);
    if (!kind)
        return;
    Q_EMIT activated(*kind, action, tokens_.take(id));
}

void DBusNotifier::notificationClosed(uint id, uint)
{
    const std::optional<Kind> kind = kindOf(id);
    if (!kind)
        return;
    Slot& target = slot(*kind);
    // A notice that is still being replaced keeps its slot: the service answers with a fresh id.
    if (!target.inFlight) {
        target.id = 0;
        target.wanted.reset();
    }
    tokens_.remove(id);
}

void DBusNotifier::activationToken(uint id, const QString& token)
{
    if (kindOf(id) && Platform::isActivationToken(token))
        tokens_.insert(id, token);
}

} // namespace zandrel
