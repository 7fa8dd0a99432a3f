#include "app/SettledSteps.h"

#include "ui/OwnLoop.h"

#include <QThread>

namespace zandrel {

namespace {

// Short enough that a link opened while a dialog was up seems to follow its closing at once.
constexpr int retryMs = 100;

} // namespace

SettledSteps::SettledSteps(QObject* parent)
    : QObject(parent)
{
    retry_.setInterval(retryMs);
    connect(&retry_, &QTimer::timeout, this, &SettledSteps::runWaiting);
}

bool SettledSteps::isSettled()
{
    // The application's own loop is level one; a dialog's exec(), a menu's or a drag adds another,
    // and a desktop's dialog holds ui::OwnLoop. A sheet opened with open() runs no loop of its own
    // and may be replaced.
    return QThread::currentThread()->loopLevel() <= 1 && !ui::OwnLoop::isHeld();
}

void SettledSteps::run(std::function<void()> step)
{
    if (waiting_.empty() && isSettled()) {
        step();
        return;
    }
    waiting_.push_back(std::move(step));
    retry_.start();
}

void SettledSteps::runWaiting()
{
    if (!isSettled())
        return;
    retry_.stop();
    // Taken first: a step that opens a dialog makes the steps that come meanwhile wait again.
    for (const std::function<void()>& step : std::exchange(waiting_, {}))
        step();
}

} // namespace zandrel
