#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <optional>

namespace zandrel {

// The browser sign-in the user started from the Account page. Any web page can open a zandrel: sign-in
// callback, so a callback counts only while the user's own press is pending: once, and for ten minutes.
// It lives in memory only: after a restart nothing is pending. It also remembers that a callback nobody
// asked for was ignored, so the Account page can say so.
class PendingSignIn : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::minutes lifetime{10};

    explicit PendingSignIn(Clock clock = &std::chrono::steady_clock::now, QObject* parent = nullptr);

    // A provider button was pressed: a callback within the lifetime from now counts. A press while one
    // is pending starts the lifetime again.
    void start();
    bool isPending() const;
    // A callback arrived: answers whether it counts, and ends the pending sign-in either way.
    bool take();
    // The user signed in or out another way: a callback for the earlier press no longer counts.
    void cancel() { startedAt_.reset(); }

    // A callback arrived that nobody asked for (until a sign-in is started or the notice is dismissed).
    bool ignoredCallback() const { return ignoredCallback_; }
    void setIgnoredCallback(bool ignored);

Q_SIGNALS:
    void ignoredCallbackChanged(bool ignored);

private:
    Clock clock_;
    std::optional<std::chrono::steady_clock::time_point> startedAt_;
    bool ignoredCallback_ = false;
};

} // namespace zandrel
