#!/usr/bin/env bash
# Packs the build tree's application package and checks what it holds and what it depends on.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
shopt -s nullglob
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one package, got: ${debs[*]}"; exit 1; }
deb=${debs[0]}
files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
fail=0

for wanted in \
    ./usr/bin/zandrel-desktop \
    ./usr/share/applications/com.zandrel.HubDesktop.desktop \
    ./usr/share/metainfo/com.zandrel.HubDesktop.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/com.zandrel.HubDesktop.svg \
    ./usr/share/icons/hicolor/48x48/apps/com.zandrel.HubDesktop.png \
    ./usr/share/icons/hicolor/128x128/apps/com.zandrel.HubDesktop.png \
    ./usr/share/icons/hicolor/256x256/apps/com.zandrel.HubDesktop.png \
    ./usr/share/doc/zandrel-hub-desktop/copyright; do
    grep -qxF "$wanted" <<<"$files" || { echo "missing from the package: $wanted"; fail=1; }
done
# The reference Hub is never part of the application's package.
if grep -q 'bin/zandrel$' <<<"$files"; then
    echo "the reference Hub's zandrel is in the package"
    fail=1
fi

[ "$(dpkg-deb -f "$deb" Package)" = zandrel-hub-desktop ] || { echo "wrong package name"; fail=1; }
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6svg6; do
    grep -q "\b$lib\b" <<<"$depends" || { echo "Depends does not name $lib: $depends"; fail=1; }
done

# The entry names the installed icon and registers the link handler.
dpkg-deb -x "$deb" "$out/root"
entry="$out/root/usr/share/applications/com.zandrel.HubDesktop.desktop"
grep -qx 'Icon=com.zandrel.HubDesktop' "$entry" || { echo "the entry does not name the installed icon"; fail=1; }
grep -qx 'MimeType=x-scheme-handler/zandrel;' "$entry" || { echo "the entry does not handle zandrel: links"; fail=1; }
exit $fail
