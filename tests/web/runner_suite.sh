#!/usr/bin/env bash
# The runner's test suite (the binary given) against the node runner of the
# WebAssembly build; skipped (exit 77) where scripts/build-web.sh has not
# built it. Left out: what node cannot give a program, a signal between
# ticks and a closed standard output (node opens /dev/null in its place).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [[ ! -x $root/build/web/keltosimu-run.js ]]; then
  echo "skipped: $root/build/web/keltosimu-run.js is not built (scripts/build-web.sh)"
  exit 77
fi
exec "$1" --gtest_brief=1 \
  --gtest_filter=-RunnerConventions.AnInterruptStopsAfterTheTickAndStillWritesTheOutputs:RunnerFiles.ClosedStandardOutputIsAWriteError
