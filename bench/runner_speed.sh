#!/bin/bash
# Ticks a second of keltosimu-run on the full board and the busy board, this
# build's runner and an older one side by side in one run:
#   bench/runner_speed.sh RUNNER OLD_RUNNER [TICKS [OLD_TICKS]]
# Build both with the same flags (Release). The older runner gets fewer ticks
# (default 100 000 against 2 000 000) so the run stays short. Each rate is
# given by wall time and by the CPU time the runner used (user + system),
# which other work on a loaded machine disturbs less.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runner=${1:?usage: runner_speed.sh RUNNER OLD_RUNNER [TICKS [OLD_TICKS]]}
old=${2:?usage: runner_speed.sh RUNNER OLD_RUNNER [TICKS [OLD_TICKS]]}
ticks=${3:-2000000}
oldTicks=${4:-100000}

rate() { # RUNNER TICKS BOARD -> ticks per second of wall time, of CPU time
    local times
    times=$( { /usr/bin/time -f '%e %U %S' "$1" --ticks "$2" --seed 1 --time 12:00:00 \
        "$root/bench/data/$3.dps" "$root/bench/data/$3.txt" >/dev/null; } 2>&1 | tail -1)
    read -r wall user system <<<"$times"
    echo "$(echo "$2 / $wall" | bc -l) $(echo "$2 / ($user + $system)" | bc -l)"
}

echo "load before: $(uptime | sed 's/.*load/load/')"
for board in full_board busy_board; do
    read -r newWall newCpu <<<"$(rate "$runner" "$ticks" "$board")"
    read -r oldWall oldCpu <<<"$(rate "$old" "$oldTicks" "$board")"
    printf '%-10s wall: %8.0f ticks/s, old %6.0f, %5.1fx   cpu: %8.0f ticks/s, old %6.0f, %5.1fx\n' "$board" \
        "$newWall" "$oldWall" "$(echo "$newWall / $oldWall" | bc -l)" \
        "$newCpu" "$oldCpu" "$(echo "$newCpu / $oldCpu" | bc -l)"
done
echo "load after:  $(uptime | sed 's/.*load/load/')"
