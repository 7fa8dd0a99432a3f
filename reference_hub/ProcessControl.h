#pragma once

#include "CommandLine.h"
#include "HubPaths.h"
#include "wire/JsonCodec.h"

#include <QTextStream>

namespace zandrel::hub {

// The pid file: which process serves, and on which port.
struct HubRecord {
    qint64 pid = 0;
    qint64 port = 0;
    QString startedAt;

    static constexpr auto jsonFields()
    {
        return std::tuple{wire::field("pid", &HubRecord::pid),
                          wire::field("port", &HubRecord::port),
                          wire::field("startedAt", &HubRecord::startedAt)};
    }
};

// `zandrel hub start | stop | status`, and the pid file that connects them with `serve`.
class ProcessControl {
public:
    ProcessControl(HubPaths paths, QString program);

    static constexpr int exitOk = 0;
    static constexpr int exitFailed = 1;
    static constexpr int exitNotRunning = 3;

    int start(const ServeOptions& options, QTextStream& out, QTextStream& err) const;
    int stop(QTextStream& out, QTextStream& err) const;
    int status(QTextStream& out) const;

    // The record of the Hub serving from this home, or nothing when none runs. A record left behind
    // by a Hub that died is removed.
    std::optional<HubRecord> running() const;

    // Called by the serving process once it listens, and when it stops.
    bool recordServing(quint16 port, QString* error) const;
    void forgetServing() const;

    // Whether the process exists and is a serving zandrel (not a process that reused the id).
    static bool isHubProcess(qint64 pid);

private:
    std::optional<HubRecord> readRecord() const;
    // Waits up to `ms` for the process to end.
    static bool waitForExit(qint64 pid, int ms);

    HubPaths paths_;
    QString program_;
};

} // namespace zandrel::hub
