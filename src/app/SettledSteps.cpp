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
    // A step may wait again (it opened a dialog), so the list is taken before any step runs.
    std::vector<std::function<void()>> steps = std::exchange(waiting_, {});
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!isSettled()) {
            waiting_.insert(waiting_.begin(),
                            std::make_move_iterator(steps.begin() + static_cast<long>(i)),
                            std::make_move_iterator(steps.end()));
            retry_.start();
            return;
        }
        steps[i]();
    }
}

} // namespace zandrel
