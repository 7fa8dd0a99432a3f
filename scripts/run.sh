#!/usr/bin/env bash
# Builds the application and the reference Hub, starts the Hub when nothing answers on port 3456,
# and runs the application with `zandrel` on its PATH (its Start and Stop buttons run
# `zandrel hub start|stop`). Without a display it runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target zandrel-desktop zandrel

export PATH="$PWD/build/reference_hub:$PATH"
# The reference Hub also stands in for the store website's sign-in pages.
export ZANDREL_STORE_WEBSITE="${ZANDREL_STORE_WEBSITE:-http://127.0.0.1:3456}"
if ! curl -sf -o /dev/null --max-time 2 http://127.0.0.1:3456/api; then
    zandrel hub start || echo "warning: the reference Hub did not start; the application will show it as stopped" >&2
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" build/src/zandrel-desktop "$@"
fi
exec build/src/zandrel-desktop "$@"
