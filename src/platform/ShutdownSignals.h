#pragma once

#include <QObject>

class QSocketNotifier;

namespace zandrel {

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal delivered by the event loop, so a program can shut
// down as if asked nicely (the application gives up its single-instance socket, the Hub its port). A signal
// handler may do almost nothing safely, so it only writes the signal number into a pipe that the event loop
// watches. One instance per process.
class ShutdownSignals : public QObject {
    Q_OBJECT

public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zandrel
