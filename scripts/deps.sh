#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those that are missing.
# Usage: scripts/deps.sh [build|test|run|package|fuzz]
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-svg-dev qt6-httpserver-dev qcoro-qt6-dev libgl-dev libsimdjson-dev
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
case "${1:-build}" in
    build) ;;
    test) packages+=(fonts-dejavu-core fontconfig xvfb xauth desktop-file-utils appstream dpkg-dev xdg-utils
                     librsvg2-bin dbus-daemon weston qt6-wayland) ;;
    run) packages+=(fonts-dejavu-core fontconfig xvfb xauth curl) ;;
    package) packages+=(dpkg-dev librsvg2-bin desktop-file-utils appstream) ;;
    fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
    *) echo "usage: $0 [build|test|run|package|fuzz]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "Missing packages (${missing[*]}) and no sudo: install them as root." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
