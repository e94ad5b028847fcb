#!/usr/bin/env bash
# The long fuzz campaign: builds the libFuzzer targets with clang (build-fuzz/), lays out their
# seeds from the built game directory and runs every target under nice, one after another (or
# JOBS at a time), each until RUNS inputs or SECONDS have gone by. The corpora grow in
# build-fuzz/corpus/TARGET and are kept between campaigns; findings land in build-fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET (default 600)] [RUNS_PER_TARGET (default 10000000)]
#        [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
runs=${2:-10000000}
shift $(($# > 2 ? 2 : $#))
jobs=${JOBS:-1}
build=${FUZZ_BUILD:-build-fuzz}
scripts/deps.sh
scripts/deps.sh --fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
      -DCMAKE_CXX_COMPILER=clang++ -DVELORIA_FUZZ=ON -DVELORIA_TESTS=OFF \
      -DVELORIA_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fuzz -j"$(nproc)"
tests/fuzz/seeds.sh "$build/game" "$build/fuzz-seeds" "$PWD"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in tests/fuzz/fuzz_*.cpp; do
        t=$(basename "$f" .cpp)
        targets+=("${t#fuzz_}")
    done
fi
mkdir -p "$build/findings" "$build/fuzz-logs"
run_one() {
    local t=$1
    local corpus="$build/corpus/$t"
    mkdir -p "$corpus"
    local before
    before=$(find "$corpus" -type f | wc -l)
    local status=0
    nice -n 10 "$build/tests/fuzz/fuzz_$t" -runs="$runs" -max_total_time="$seconds" \
        -max_len=16384 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$t-" "$corpus" "$build/fuzz-seeds/$t" \
        >"$build/fuzz-logs/$t.log" 2>&1 || status=$?
    local after execs
    after=$(find "$corpus" -type f | wc -l)
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz-logs/$t.log" | tail -1)
    printf '%-12s status %d  executions %s  corpus %d -> %d\n' "$t" "$status" "${execs:-?}" \
        "$before" "$after"
    return "$status"
}
failed=0
running=0
for t in "${targets[@]}"; do
    run_one "$t" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
findings=$(find "$build/findings" -type f | wc -l)
echo "findings: $findings (in $build/findings)"
[ "$failed" -eq 0 ] && [ "$findings" -eq 0 ]
