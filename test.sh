#!/usr/bin/env bash
# Builds KeltoSimu and runs every test suite.
#   ./test.sh              all suites, in the build ./run.sh uses too
#   ./test.sh --sanitize   also the core and runner suites under ASan + UBSan
set -euo pipefail
cd "$(dirname "$0")"

usage() { echo "usage: ./test.sh [--sanitize]" >&2; exit 2; }

sanitize=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize) sanitize=1 ;;
    -h|--help) sed -n '2,4s/^# //p' "$0"; exit 0 ;;
    *) usage ;;
  esac
  shift
done

scripts/install-deps.sh

jobs=$(nproc)
build=$(scripts/configure-build.sh)
ninja -C "$build" -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$jobs"

if [ "$sanitize" -eq 1 ]; then
  cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELTO_SANITIZE=ON \
        -DKELTO_BUILD_GUI=OFF -DKELTO_BUILD_BENCH=OFF >/dev/null
  ninja -C build/sanitize -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
fi
