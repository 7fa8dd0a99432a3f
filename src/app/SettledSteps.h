#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

namespace zandrel {

// Runs what a link, a desktop notice or the tray asks of the window, now, or, while a dialog, a menu or
// a drag runs its own event loop, once that has ended. Such a step may switch pages, and the page it
// deletes may own the dialog whose loop is running: the dialog would return into freed memory.
// Steps run in the order they came.
class SettledSteps : public QObject {
    Q_OBJECT

public:
    explicit SettledSteps(QObject* parent = nullptr);

    void run(std::function<void()> step);
    // No event loop runs inside the application's own.
    static bool isSettled();
    qsizetype waiting() const { return static_cast<qsizetype>(waiting_.size()); }

private:
    void runWaiting();

    std::vector<std::function<void()>> waiting_;
    QTimer retry_;
};

} // namespace zandrel
