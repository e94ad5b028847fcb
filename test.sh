#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELORIA_SANITIZE=ON -DVELORIA_WERROR=ON >/dev/null
cmake --build build-test -j"$(nproc)"
# Leaks inside system libraries are not ours to fix; everything else still fails the run.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
cd build-test && ctest --output-on-failure -j"$(nproc)"
