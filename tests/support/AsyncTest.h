#pragma once

// Running coroutines to completion inside synchronous Qt Test functions. QCoro::waitFor hangs on a
// task that throws, so tasks are wrapped in one that catches, and QTest::qWaitFor runs the event loop
// until done.

#include "wire/Error.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>
#include <qcoro/qcorotask.h>
#include <type_traits>
#include <variant>

namespace zandrel::test {

template <class T>
struct Outcome {
    using Value = std::conditional_t<std::is_void_v<T>, std::monostate, T>;
    bool done = false;
    std::optional<Value> value;
    std::exception_ptr error;

    bool succeeded() const { return done && !error; }
    QString errorText() const { return error ? describeException(error) : QString(); }
    // The error as type E, or nothing when there is none or it is something else.
    template <class E>
    std::optional<E> errorAs() const
    {
        if (!error)
            return std::nullopt;
        try {
            std::rethrow_exception(error);
        } catch (const E& e) {
            return e;
        } catch (...) {
            return std::nullopt;
        }
    }
};

namespace detail {
template <class T>
QCoro::Task<> capture(QCoro::Task<T> task, std::shared_ptr<Outcome<T>> outcome)
{
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            outcome->value.emplace();
        } else {
            outcome->value.emplace(co_await std::move(task));
        }
    } catch (...) {
        outcome->error = std::current_exception();
    }
    outcome->done = true;
}
} // namespace detail

// Starts watching a task; the outcome fills in as the event loop runs.
template <class T>
std::shared_ptr<Outcome<T>> watch(QCoro::Task<T> task)
{
    auto outcome = std::make_shared<Outcome<T>>();
    detail::capture(std::move(task), outcome);
    return outcome;
}

// Runs a task to completion (or the time-out) and answers its outcome.
template <class T>
Outcome<T> await(QCoro::Task<T> task, int timeoutMs = 10000)
{
    auto outcome = watch(std::move(task));
    // Not QTest::qWaitFor: it sleeps 10 ms between turns of the event loop, and an exchange that
    // needs many turns (a large upload) then takes seconds. Here each turn waits for the next event;
    // a beat every millisecond wakes it to look at the deadline. Not done in time shows in the outcome.
    QDeadlineTimer deadline(timeoutMs);
    QTimer beat;
    beat.start(1);
    while (!outcome->done && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return *outcome;
}

} // namespace zandrel::test
