#!/usr/bin/env bash
# The one build tree ./run.sh and ./test.sh share, so running both builds once.
# Prints the folder's name.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "$build"
