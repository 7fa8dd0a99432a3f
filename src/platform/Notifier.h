#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <utility>

namespace zandrel {

// Notices on the desktop, outside the window. There is at most one of each kind: a new one replaces
// its predecessor, so a burst never piles up. This base hands each notice to the fallback (the tray's
// balloon) and nothing else; the desktop's own service, where there is one, comes from a subclass.
class Notifier : public QObject {
    Q_OBJECT

public:
    enum class Kind { Updates, LinkInstall, Install };

    struct Notice {
        QString title;
        QString body;
        // Buttons as (key, label); the click on the notice itself is the "default" key.
        QList<std::pair<QString, QString>> actions;
        bool failure = false;
    };

    // What shows a notice when the desktop's service cannot: answers whether it did.
    using Fallback = std::function<bool(Kind, const Notice&)>;

    explicit Notifier(QObject* parent = nullptr);

    void setFallback(Fallback fallback) { fallback_ = std::move(fallback); }
    // Shows the notice in place of the one of its kind shown before.
    virtual void show(Kind kind, const Notice& notice);
    // Takes the notice of this kind off the desktop, when there is one.
    virtual void withdraw(Kind kind);

    static constexpr const char* defaultAction = "default";

Q_SIGNALS:
    // The user clicked a notice (action "default") or one of its buttons. The token, when the desktop
    // sent one, lets the window come forward on a compositor that allows only that.
    void activated(zandrel::Notifier::Kind kind, const QString& action, const QString& activationToken);

protected:
    bool showFallback(Kind kind, const Notice& notice) const;

private:
    Fallback fallback_;
};

} // namespace zandrel
