#pragma once

// What the benchmarks measure alike: the resident memory, and the longest turn of the event loop.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <fstream>
#include <malloc.h>
#include <string>

namespace zandrel::bench {

inline long rssKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

// What the heap holds in use: unlike resident memory, no freed pages the allocator keeps.
inline long heapInUseKiB()
{
    return long(mallinfo2().uordblks / 1024);
}

// The longest time between two turns of the event loop, watched by a 2 ms timer.
class StallWatch : public QObject {
public:
    StallWatch()
    {
        timer_.setInterval(2);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (clock_.isValid())
                longest_ = qMax(longest_, clock_.elapsed());
            clock_.start();
        });
    }
    void start()
    {
        longest_ = 0;
        clock_.invalidate();
        timer_.start();
    }
    qint64 stop()
    {
        timer_.stop();
        return longest_;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

} // namespace zandrel::bench
