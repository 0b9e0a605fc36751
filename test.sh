#!/usr/bin/env bash
# Builds KeltoSimu and runs every test suite.
#   ./test.sh              all suites, in the build ./run.sh uses too
#   ./test.sh --sanitize   also the core and runner suites under ASan + UBSan
#   ./test.sh --fuzz[=S]   also builds the fuzzers (clang) and runs each for S seconds (60)
set -euo pipefail
cd "$(dirname "$0")"

usage() { echo "usage: ./test.sh [--sanitize] [--fuzz[=SECONDS]]" >&2; exit 2; }

sanitize=0
fuzz=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize) sanitize=1 ;;
    --fuzz) fuzz=60 ;;
    --fuzz=*) fuzz=${1#--fuzz=}; [[ "$fuzz" =~ ^[1-9][0-9]*$ ]] || usage ;;
    -h|--help) sed -n '2,5s/^# //p' "$0"; exit 0 ;;
    *) usage ;;
  esac
  shift
done

scripts/install-deps.sh

jobs=$(nproc)
build=$(scripts/configure-build.sh)
ninja -C "$build" -j"$jobs"
# The node runner of the WebAssembly build, which the golden_web.* tests
# check against the golden cases, and the page web.page drives in chromium;
# without emscripten they are skipped.
web=0
KELTO_JOBS=$jobs scripts/build-web.sh || web=$?
if [ "$web" -eq 3 ]; then
  rm -f build/web/keltosimu-run.js build/web/index.html
  echo "test.sh: skipping the WebAssembly suite (golden_web.*, web.*): emscripten or pugixml's source is missing" >&2
elif [ "$web" -ne 0 ]; then
  exit "$web"
fi
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$jobs"

if [ "$sanitize" -eq 1 ]; then
  cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELTO_SANITIZE=ON \
        -DKELTO_BUILD_GUI=OFF -DKELTO_BUILD_BENCH=OFF >/dev/null
  ninja -C build/sanitize -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
fi

if [ "$fuzz" -gt 0 ]; then
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DKELTO_FUZZ=ON -DKELTO_BUILD_GUI=OFF -DKELTO_BUILD_BENCH=OFF -DKELTO_BUILD_AUDIO=OFF >/dev/null
  ninja -C build/fuzz -j"$jobs" fuzz/all
  fuzz/run_fuzzers.sh build/fuzz "$fuzz"
fi
