#pragma once

#include "CommandLine.h"
#include "HubPaths.h"

namespace zandrel::hub {

// `zandrel hub serve`: loads (or seeds) the state, listens, records itself in the pid file, and
// serves until SIGINT, SIGTERM or SIGHUP. Answers the process's exit status.
class ServeCommand {
public:
    static int run(const ServeOptions& options, const HubPaths& paths);
};

} // namespace zandrel::hub
