#!/usr/bin/env bash
# Builds the WebAssembly edition into build/web/: keltosimu-run.js (with its
# .wasm), which node runs with exactly the arguments of keltosimu-run, and
# keltosimu-engine.js, the engine's module for the page (src/web/bindings.cpp),
# and the page itself: index.html with its script bundled from web/src.
#   scripts/build-web.sh        exit status 3 when emscripten or pugixml's
#                               source (scripts/install-deps.sh) is missing
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

missing() { echo "build-web: $1; scripts/install-deps.sh installs it" >&2; exit 3; }
command -v emcmake >/dev/null || missing "emscripten is not installed"
pugixml=$(find build/web-deps -maxdepth 3 -path '*/src/pugixml.cpp' -printf '%h\n' 2>/dev/null | head -n 1 || true)
[[ -n $pugixml ]] || missing "pugixml's source is not in build/web-deps"

# Debian's emscripten ships its system libraries built (a frozen cache), so
# nothing is built on first use; its JavaScript tools run on Debian's acorn.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
jobs=${KELTO_JOBS:-$(nproc)}
emcmake cmake -S . -B build/web-cmake -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELTO_BUILD_GUI=OFF \
  -DKELTO_BUILD_AUDIO=OFF -DKELTO_BUILD_BENCH=OFF -DKELTO_PUGIXML_SOURCE="$root/${pugixml%/src}" >/dev/null
ninja -C build/web-cmake -j"$jobs" keltosimu-run keltosimu-engine
mkdir -p build/web
cp build/web-cmake/src/cli/keltosimu-run.{js,wasm} build/web-cmake/src/web/keltosimu-engine.{js,wasm} build/web/
chmod +x build/web/keltosimu-run.js

# The page: its modules bundled into one script (esbuild from npm ci), its
# HTML and styles, the part pictures the drawings name and the palette's icons
# by number. Without esbuild
# the engine and the runner are still there; only the page is left out.
if [[ ! -x node_modules/.bin/esbuild ]]; then
  rm -f build/web/index.html
  echo "build-web: esbuild is not installed (scripts/install-deps.sh runs npm ci); the page is not built" >&2
  exit 0
fi
node_modules/.bin/esbuild web/src/main.js --bundle --minify --target=es2022 --log-level=warning \
  --outfile=build/web/app.js
cp web/index.html web/style.css web/manifest.webmanifest resources/desktop/keltosimu.svg build/web/
mkdir -p build/web/pictures
cp resources/pictures/*.svg build/web/pictures/
mkdir -p build/web/icons
for icon in resources/icons/*.svg; do
  name=${icon##*/}
  cp "$icon" "build/web/icons/${name%%_*}.svg"
done

# The synthesiser for tunes (FluidSynth in WebAssembly, from npm) with the
# window's soundfont, and the voice clips and clock words as Ogg Vorbis; the
# page loads them on the first sound. Without them the page stays silent.
synth=node_modules/js-synthesizer
cp $synth/externals/libfluidsynth-2.4.6.js $synth/dist/js-synthesizer.min.js $synth/dist/js-synthesizer.worklet.min.js build/web/
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
if [[ -f $soundfont ]]; then
  cp $soundfont build/web/soundfont.sf2
else
  rm -f build/web/soundfont.sf2
  echo "build-web: timgm6mb-soundfont is missing; tunes on the page are silent" >&2
fi
if ninja -C build/web-cmake -t targets all | grep -q '^kelto_voice_clips:'; then
  ninja -C build/web-cmake -j"$jobs" kelto_voice_clips >/dev/null
  mkdir -p build/web/voice
  for clip in build/web-cmake/resources/voice/*.wav; do
    name=${clip##*/}
    ogg=build/web/voice/${name%.wav}.ogg
    [[ $ogg -nt $clip ]] || sox -q "$clip" -C 2 "$ogg"
  done
else
  rm -rf build/web/voice
  echo "build-web: espeak-ng or sox is missing; voice clips and clock words on the page are silent" >&2
fi

# The Song face the drawings use, cut down to our characters; without
# Debian's fontTools the page falls back to the machine's own Song face.
if /usr/bin/python3 -c "import fontTools.subset, brotli" 2>/dev/null &&
   [[ -f /usr/share/fonts/truetype/arphic/uming.ttc ]]; then
  /usr/bin/python3 scripts/make-web-font.py build/web/song.woff2 2>/dev/null
else
  rm -f build/web/song.woff2
  echo "build-web: python3-fonttools or fonts-arphic-uming is missing; the page uses the machine's Song face" >&2
fi

# The service worker that keeps the site for offline use, with this build's
# files and a version drawn from their contents; what sounds is kept as it is
# first fetched.
files=$(cd build/web && find . -type f ! -name 'keltosimu-run.*' ! -name sw.js ! -name soundfont.sf2 \
  ! -name 'libfluidsynth-*' ! -name 'js-synthesizer*' ! -path './voice/*' | sed 's|^\./||' | LC_ALL=C sort)
version=$(cd build/web && cat $files | sha256sum | cut -c1-16)
list=$(printf '"%s", ' $files)
sed -e "s|@VERSION@|$version|" -e "s|@FILES@|${list%, }|" web/sw.js >build/web/sw.js
