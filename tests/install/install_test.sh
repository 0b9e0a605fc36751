#!/usr/bin/env bash
# Installs a build into a fresh prefix and checks the installed tree: the
# programs, lessons, guide, voice clips and browser page, and the menu entry,
# icon and file type a double-click on a .dps file needs; then the installed
# programs open an installed lesson from outside the source and build trees.
#   install_test.sh SOURCE_DIR BUILD_DIR WITH_WINDOW(0|1) WITH_VOICE(0|1)
set -euo pipefail
source_dir=$1 build=$2 window=$3 voice=$4

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need() { [ -f "$prefix/$1" ] || fail "$1 is not installed"; }

data=share/keltosimu
doc=share/doc/keltosimu

need bin/keltosimu-run
for lesson in "$source_dir"/examples/*.dps "$source_dir"/examples/*.txt; do
  need "$data/examples/${lesson##*/}"
done
[ -z "$(find "$prefix/$data/examples" -mindepth 1 ! -name '*.dps' ! -name '*.txt')" ] ||
  fail "the examples folder holds more than circuits and programs"
need "$doc/guide.md"
need "$doc/grading.md"
for image in $(grep -o '](images/[^)]*)' "$source_dir/docs/guide.md" | sed 's/^](//; s/)$//'); do
  need "$doc/$image"
done

# The browser edition's page, when scripts/build-web.sh built it.
if [ -f "$source_dir/build/web/index.html" ]; then
  for file in $(cd "$source_dir/build/web" && find . -type f ! -name 'keltosimu-run.*'); do
    need "$data/web/${file#./}"
  done
  [ ! -e "$prefix/$data/web/keltosimu-run.js" ] || fail "the node runner was installed with the site"
fi

if [ "$voice" = 1 ]; then
  for clip in $(grep -v '^#' "$source_dir/resources/voice/clips.txt" | cut -f1); do
    need "$data/voice/$clip.wav"
  done
fi

for program in "$prefix"/bin/*; do
  if readelf -d "$program" | grep -E 'RPATH|RUNPATH' | grep -qF "$build"; then
    fail "${program##*/} still looks for libraries in the build folder"
  fi
done

# The lesson's LCD greets once the program has run.
lesson=$prefix/$data/examples/lesson06_lcd_8bit
state=$(cd / && "$prefix/bin/keltosimu-run" --ticks 1200 --state - "$lesson.dps" "$lesson.txt") ||
  fail "the installed runner failed on an installed lesson"
grep -qF '"text":["HELLO .         ","8-BIT MODE      "]' <<<"$state" ||
  fail "the installed lesson did not show its LCD text: $state"

if [ "$window" = 1 ]; then
  entry=share/applications/keltosimu.desktop
  need bin/keltosimu
  need "$entry"
  if [ -f "$prefix/$entry" ]; then
    if command -v desktop-file-validate >/dev/null; then
      desktop-file-validate "$prefix/$entry" || fail "$entry does not validate"
    fi
    field() { sed -n "s/^$1=//p" "$prefix/$entry"; }
    exec_program=$(field Exec | cut -d' ' -f1)
    need "bin/$exec_program"
    field Exec | grep -qE ' %[fFuU]$' || fail "the menu entry does not pass the opened file"
    need "share/icons/hicolor/scalable/apps/$(field Icon).svg"
    mime_type=$(field MimeType | cut -d';' -f1)
    # What a desktop builds from the installed file types must map *.dps to
    # the type the menu entry opens.
    if command -v update-mime-database >/dev/null; then
      update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "the installed file types do not load"
      grep -qxF "50:$mime_type:*.dps" "$prefix/share/mime/globs2" ||
        fail "*.dps is not registered as $mime_type"
    else
      grep -qF "type=\"$mime_type\"" "$prefix"/share/mime/packages/*.xml || fail "$mime_type is not defined"
    fi
  fi
  # A double-click starts the window with the circuit's path; it must open
  # and keep running (the timeout ends it).
  rc=0
  (cd / && QT_QPA_PLATFORM=offscreen timeout 10 "$prefix/bin/keltosimu" "$lesson.dps") 2>"$prefix/window.err" || rc=$?
  [ "$rc" = 124 ] || fail "the installed window program ended with status $rc: $(cat "$prefix/window.err")"
  if grep -q 'was not opened' "$prefix/window.err"; then
    fail "the installed window program did not open $lesson.dps"
  fi
fi

[ "$failures" = 0 ] && echo "installed tree complete"
exit $((failures > 0))
