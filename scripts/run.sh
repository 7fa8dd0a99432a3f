#!/usr/bin/env bash
# Builds the application and runs it. Without a display it runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target zandrel-desktop

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" build/src/zandrel-desktop "$@"
fi
exec build/src/zandrel-desktop "$@"
