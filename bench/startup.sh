#!/usr/bin/env bash
# Compares start to first paint and memory of the application's window with a bare Qt window.
# Usage: bench/startup.sh <build folder with benchmarks> [runs]
set -euo pipefail
bin="$1/bench/bench_startup"
runs="${2:-15}"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 0700 "$home/runtime"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" HOME="$home" XDG_RUNTIME_DIR="$home/runtime"

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
run() {
    start=$(date +%s%N)
    read -r painted kb < <("$bin" "$1")
    echo "$(( (painted - start) / 1000 )) $kb" >> "$home/$1.txt"
}
# The two alternate, so that a busy spell of the machine falls on both alike.
for _ in $(seq "$runs"); do
    run bare
    run app
done
summary() { echo "$(cut -d' ' -f1 "$home/$1.txt" | median | awk '{print $1 / 1000}') $(cut -d' ' -f2 "$home/$1.txt" | median)"; }
read -r bare_ms bare_kb < <(summary bare)
read -r app_ms app_kb < <(summary app)
echo "bare window:  ${bare_ms} ms to first paint, ${bare_kb} KiB max RSS (median of $runs)"
echo "application:  ${app_ms} ms to first paint, ${app_kb} KiB max RSS"
awk -v a="$app_ms" -v b="$bare_ms" -v am="$app_kb" -v bm="$bare_kb" 'BEGIN {
    printf "ratio %.2f (budget 1.15), extra memory %.1f MB (budget 25)\n", a / b, (am - bm) / 1024 }'
