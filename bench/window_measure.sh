#!/bin/bash
# Measures the window on a virtual display (needs xvfb-run):
#   bench/window_measure.sh BUILD_DIR [running|static|floor|memory]...   (default: all four)
# Each case but floor runs on the full board (its displays never change) and
# then on the busy board (every display, the voltmeter and both probes change
# all the time); BOARDS="busy_board" picks one.
# running: the board's circuit and program, both scope windows recording,
#          frame clock pause 1 ms, canvas scrolled to the displays; the
#          window's own KELTOSIMU_STATS lines (ticks/s, repaints/s, CPU).
# static:  the full-board circuit, no program running, frame clock pause 1 ms.
# floor:   keltosimu-timer-floor, the window's frame clock alone at a 1 ms
#          pause with nothing to tick: the machine's floor under the running
#          and static figures.
# memory:  VmRSS of the real program after start with the full-board
#          circuit, then of the circuit running without recording, every 10 s
#          for three minutes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:?usage: window_measure.sh BUILD_DIR [running|static|floor|memory]...}")
shift
cases=("${@:-running static floor memory}")
boards=(${BOARDS:-full_board busy_board})
load="$build/tests/gui/app/keltosimu-window-load"
app="$build/src/gui/app/keltosimu"
screen="-screen 0 2800x1440x24"
export KELTOSIMU_STATS=1

rss() { awk '/VmRSS/ {print $2 " kB"}' "/proc/$1/status"; }

measure() {
    local c=$1 board="$root/bench/data/$2.dps" program="$root/bench/data/$2.txt"
    # Where the displays are.
    local scroll=1800,700
    [ "$2" = busy_board ] && scroll=400,0
    echo "== $c $2 ($(uptime | sed 's/.*load/load/'))"
    case $c in
    running)
        xvfb-run -a -s "$screen" "$load" "$board" "$program" --scopes --pause 1 --seconds 32 --scroll "$scroll" \
            2>&1 | grep '^keltosimu'
        ;;
    static)
        xvfb-run -a -s "$screen" "$load" "$board" --pause 1 --seconds 32 2>&1 | grep '^keltosimu'
        ;;
    floor)
        xvfb-run -a -s "$screen" "$build/tests/gui/app/keltosimu-timer-floor" 30
        ;;
    memory)
        xvfb-run -a -s "$screen" bash -c "
            \"$app\" \"$board\" 2>/dev/null & pid=\$!
            sleep 8; echo \"keltosimu after start: \$(awk '/VmRSS/ {print \$2 \" kB\"}' /proc/\$pid/status)\"
            kill \$pid
            \"$load\" \"$board\" \"$program\" --pause 1 --seconds 200 2>/dev/null & pid=\$!
            for t in \$(seq 10 10 190); do sleep 10; echo \"running \${t} s: \$(awk '/VmRSS/ {print \$2 \" kB\"}' /proc/\$pid/status)\"; done
            wait \$pid"
        ;;
    *) echo "unknown case $c" >&2; exit 2 ;;
    esac
}

for c in ${cases[*]}; do
    if [ "$c" = floor ]; then
        measure floor "${boards[0]}"
    else
        for b in "${boards[@]}"; do measure "$c" "$b"; done
    fi
done
