#!/bin/sh
# Draws every picture the drawing code makes (the gallery, the window shots,
# every lesson's circuit) into a folder, and compares two such folders byte
# for byte:
#   scripts/same-pictures.sh make BUILD_DIR OUT_DIR
#   scripts/same-pictures.sh compare BEFORE_DIR AFTER_DIR
set -eu
case "${1:-}" in
make)
    build=$2
    out=$3
    mkdir -p "$out/gallery" "$out/window" "$out/lessons"
    export QT_QPA_PLATFORM=offscreen
    "$build/src/gui/gallery/keltosimu-gallery" "$out/gallery" >/dev/null 2>&1
    "$build/tests/gui/app/keltosimu-window-shot" "$out/window" >/dev/null 2>&1
    for circuit in "$(dirname "$0")"/../examples/*.dps; do
        "$build/tests/gui/app/keltosimu-window-shot" "$out/lessons" "$circuit" >/dev/null 2>&1
    done
    ;;
compare)
    before=$2
    after=$3
    status=0
    count=0
    for file in $(cd "$before" && find . -name '*.png' | sort); do
        count=$((count + 1))
        if ! cmp -s "$before/$file" "$after/$file"; then
            echo "differs: $file"
            status=1
        fi
    done
    echo "$count pictures compared"
    exit $status
    ;;
*)
    echo "usage: $0 make BUILD_DIR OUT_DIR | compare BEFORE_DIR AFTER_DIR" >&2
    exit 2
    ;;
esac
