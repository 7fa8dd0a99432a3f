#!/usr/bin/env bash
# Builds the application's Debian package (Release, stripped) into dist/.
# Install it with: sudo apt install ./dist/zandrel-hub-desktop_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh build
scripts/deps.sh package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DZANDREL_PACKAGING=ON -DBUILD_TESTING=OFF
cmake --build build-package
rm -rf dist
(cd build-package && cpack -G DEB -B "$PWD/../dist" -D CPACK_STRIP_FILES=ON)
rm -rf dist/_CPack_Packages
ls dist/*.deb
