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
shot guide_circuit.png

# Type the lesson's program into the editor (top right) and press 运行.
xdotool mousemove 950 300 click 1
grep -a '^[0-9]' "$root/examples/lesson01_blink.txt" | tr -d '\r' | while IFS= read -r line; do
    xdotool type --delay 5 "$line"
    xdotool key Return
done
shot guide_program.png
xdotool mousemove 25 25 click 1
sleep 2
shot guide_running.png
