#!/usr/bin/env bash
# Builds the decoders' fuzz targets with clang 14 in their own tree (build-fuzz/, with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs them.
# Usage: scripts/fuzz.sh TARGET|all [SECONDS]   TARGET: records, lenient, links, hub_bodies
# New interesting inputs go to build-fuzz/corpus/<target>/, crashes to build-fuzz/findings/<target>/;
# add a fixed crasher to tests/fuzz/corpus/<target>/ so the ordinary tests replay it.
set -euo pipefail
cd "$(dirname "$0")/.."

all=(records lenient links hub_bodies)
target=${1:?"usage: $0 TARGET|all [SECONDS]  (targets: ${all[*]})"}
seconds=${2:-60}
if [ "$target" = all ]; then targets=("${all[@]}"); else targets=("$target"); fi

scripts/deps.sh build
scripts/deps.sh fuzz
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DZANDREL_FUZZ=ON -DBUILD_TESTING=OFF -DZANDREL_WERROR=ON
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

# Every target runs even when one finds something; the status says whether any did.
status=0
for t in "${targets[@]}"; do
    dict=tests/fuzz/json.dict
    [ "$t" = links ] && dict=tests/fuzz/links.dict
    mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
    echo "== $t for $seconds s"
    "build-fuzz/tests/fuzz/fuzz_$t" -dict="$dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build-fuzz/findings/$t/" -print_final_stats=1 \
        "build-fuzz/corpus/$t" "tests/fuzz/corpus/$t" || status=1
done
exit $status
