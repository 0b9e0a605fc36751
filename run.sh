#!/usr/bin/env bash
# Installs what is missing, builds KeltoSimu (the same build as ./test.sh) and
# starts it; arguments go to the program. Without a display it runs a lesson
# through the runner instead and prints what the parts show.
#   ./run.sh --web   builds the browser edition and serves it on
#                    http://127.0.0.1:8080 (KELTO_WEB_PORT for another port)
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
if [ "${1:-}" = --web ]; then
  scripts/build-web.sh
  [ -f build/web/index.html ] || { echo "run.sh: the page was not built (see above)" >&2; exit 3; }
  port=${KELTO_WEB_PORT:-8080}
  echo "KeltoSimu 网页版：http://127.0.0.1:$port/"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
fi
build=$(scripts/configure-build.sh)
ninja -C "$build" keltosimu keltosimu-run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  lesson=examples/lesson06_lcd_8bit
  echo "没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 均未设置），改用 keltosimu-run 运行示例 $lesson" >&2
  exec "$build/src/cli/keltosimu-run" --ticks 1200 --state - "$lesson.dps" "$lesson.txt"
fi
exec "$build/src/gui/app/keltosimu" "$@"
