#!/usr/bin/env bash
# Installs what is missing, builds KeltoSimu (the same build as ./test.sh) and
# starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
build=$(scripts/configure-build.sh)
ninja -C "$build" keltosimu keltosimu-run
exec "$build/src/gui/app/keltosimu" "$@"
