#!/usr/bin/env bash
# Installs what is missing, builds KeltoSimu (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build/app -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELTO_BUILD_BENCH=OFF >/dev/null
ninja -C build/app

app=build/app/src/gui/app/keltosimu
if [ -x "$app" ]; then
  exec "$app" "$@"
fi
# Until the window exists: run the example circuit headless, flip its switch
# after ten ticks and show the final state.
exec build/app/src/cli/keltosimu-run --ticks 20 --at 10:click:1 --state - examples/switch_led.dps
