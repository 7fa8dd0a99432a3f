#pragma once

namespace zandrel {

// Makes SIGTERM and SIGINT quit the event loop, so the application shuts down as if its window had
// been closed (and gives up its single-instance socket) instead of dying on the spot.
void quitOnTerminationSignals();

} // namespace zandrel
