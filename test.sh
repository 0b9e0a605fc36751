#!/usr/bin/env bash
# Builds KeltoSimu and runs every test suite.
#   ./test.sh              release build, all suites
#   ./test.sh --sanitize   also the core and runner suites under ASan + UBSan
set -euo pipefail
cd "$(dirname "$0")"

sanitize=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    *) echo "usage: ./test.sh [--sanitize]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build/release -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/release --output-on-failure -j"$jobs"

if [ "$sanitize" -eq 1 ]; then
  cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELTO_SANITIZE=ON \
        -DKELTO_BUILD_GUI=OFF -DKELTO_BUILD_BENCH=OFF >/dev/null
  ninja -C build/sanitize -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
fi
