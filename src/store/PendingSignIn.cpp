#include "store/PendingSignIn.h"

namespace zandrel {

PendingSignIn::PendingSignIn(Clock clock, QObject* parent)
    : QObject(parent)
    , clock_(std::move(clock))
{}

void PendingSignIn::start()
{
    startedAt_ = clock_();
    setIgnoredCallback(false);
}

bool PendingSignIn::isPending() const
{
    if (!startedAt_)
        return false;
    const auto age = clock_() - *startedAt_;
    // A clock that went backwards (it is the test's) counts as not yet expired, never as older.
    return age < lifetime;
}

bool PendingSignIn::take()
{
    const bool pending = isPending();
    startedAt_.reset();
    return pending;
}

void PendingSignIn::setIgnoredCallback(bool ignored)
{
    if (ignored == ignoredCallback_)
        return;
    ignoredCallback_ = ignored;
    Q_EMIT ignoredCallbackChanged(ignored);
}

} // namespace zandrel
