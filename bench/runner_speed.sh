#!/bin/bash
# Ticks a second of keltosimu-run on the full board and the busy board, this
# build's runner and an older one side by side in one run:
#   bench/runner_speed.sh RUNNER OLD_RUNNER [TICKS [OLD_TICKS]]
# Build both with the same flags (Release). The older runner gets fewer ticks
# (default 100 000 against 2 000 000) so the run stays short.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runner=${1:?usage: runner_speed.sh RUNNER OLD_RUNNER [TICKS [OLD_TICKS]]}
old=${2:?usage: runner_speed.sh RUNNER OLD_RUNNER [TICKS [OLD_TICKS]]}
ticks=${3:-2000000}
oldTicks=${4:-100000}

rate() { # RUNNER TICKS BOARD -> ticks per second
    local start end
    start=$(date +%s.%N)
    "$1" --ticks "$2" --seed 1 --time 12:00:00 "$root/bench/data/$3.dps" "$root/bench/data/$3.txt" >/dev/null
    end=$(date +%s.%N)
    echo "$2 / ($end - $start)" | bc -l
}

echo "load before: $(uptime | sed 's/.*load/load/')"
for board in full_board busy_board; do
    new=$(rate "$runner" "$ticks" "$board")
    was=$(rate "$old" "$oldTicks" "$board")
    printf '%-10s %10.0f ticks/s  old %8.0f ticks/s  %5.1fx\n' "$board" "$new" "$was" "$(echo "$new / $was" | bc -l)"
done
echo "load after:  $(uptime | sed 's/.*load/load/')"
