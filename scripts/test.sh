#!/usr/bin/env bash
# Builds everything with AddressSanitizer, warnings as errors, and runs every test, each up to six times.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANDREL_SANITIZERS=address -DZANDREL_WERROR=ON
cmake --build build-test
cd build-test
# The packaging checks are deterministic: once.
ctest --output-on-failure -L packaging
# The suite runs in seconds and the build takes minutes: running every test up to six times catches a
# test that fails once in a few runs in the change that brought it.
ctest --output-on-failure --parallel "$(nproc)" --repeat until-fail:6 -LE packaging
