#!/bin/bash
# Remakes the guide's screenshots from the real program under a virtual
# display: examples/tools/guide_screenshots.sh [path/to/keltosimu]
# Needs xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
app=$(realpath "${1:-$root/build/release/src/gui/app/keltosimu}")
out="$root/docs/images"
mkdir -p "$out"

if [ -z "${KELTO_IN_XVFB:-}" ]; then
    KELTO_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$app"
fi

shot() { sleep 1; import -window root "$out/$1"; }

"$app" "$root/examples/lesson01_blink.dps" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
win=$(xdotool search --sync --onlyvisible --pid "$pid" | head -1)
xdotool windowsize "$win" 1280 800
xdotool windowmove "$win" 0 0
sleep 3 # the start-up banner goes after two seconds
shot guide_circuit.png

# The lesson's program came with its circuit; the pointer resting on a line
# shows how that line is read.
xdotool mousemove 1200 400 click 1 # tooltips show in the active window only
xdotool mousemove 1150 140; sleep 0.3; xdotool mousemove 1160 133
sleep 2
shot guide_program.png
xdotool mousemove 25 25 click 1
sleep 2
shot guide_running.png

# Paused, the replay bar takes the board back to the middle of the run.
xdotool mousemove 72 25 click 1
sleep 0.5
xdotool mousemove 828 787 mousedown 1 mousemove 700 787 mousemove 430 787 mouseup 1
shot guide_replay.png
