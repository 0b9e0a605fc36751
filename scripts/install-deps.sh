#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# and only those that are missing; then what the WebAssembly build needs
# (scripts/build-web.sh), where a failure only skips that build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libpugixml-dev libtomlplusplus-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
  fonts-arphic-uming fonts-wqy-microhei fonts-noto-cjk
  libfluidsynth-dev timgm6mb-soundfont libasound2-dev espeak-ng sox
  dpkg-dev desktop-file-utils shared-mime-info
)
web_packages=(emscripten node-acorn chromium python3-fonttools python3-brotli fonts-arphic-uming
              timgm6mb-soundfont espeak-ng sox)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=0

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [ "$updated" -eq 0 ]; then
    $sudo apt-get update -qq
    updated=1
  fi
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# pugixml's source, of the version the native build links, unpacked into
# build/web-deps by apt with a private source list (nothing in /etc changes).
fetch_pugixml_source() {
  local deps=$root/build/web-deps
  [ -n "$(find "$deps" -maxdepth 3 -path '*/src/pugixml.cpp' 2>/dev/null)" ] && return 0
  local version
  version=$(dpkg-query -W -f='${Version}' libpugixml-dev)
  local apt=$deps/apt
  mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/archives/partial"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    >"$apt/sources.list"
  local options=(-qq -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts"
                 -o Dir::State::Lists="$apt/lists" -o Dir::Cache::Archives="$apt/archives"
                 -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache= -o APT::Sandbox::User="$(id -un)")
  echo "Fetching pugixml $version's source into build/web-deps"
  apt-get "${options[@]}" update || return 1
  (cd "$deps" && apt-get "${options[@]}" source "pugixml=$version" >/dev/null)
}

# The page's bundler and its browser tests' driver, as package-lock.json pins
# them; again only when the lock file changed since the last install.
install_node_packages() {
  local stamp=$root/node_modules/.kelto-package-lock.json
  cmp -s "$root/package-lock.json" "$stamp" && return 0
  (cd "$root" && npm ci --no-audit --no-fund --loglevel=error) || return 1
  cp "$root/package-lock.json" "$stamp"
}

install_missing "${packages[@]}"
if ! (install_missing "${web_packages[@]}" && fetch_pugixml_source && install_node_packages); then
  echo "install-deps: the WebAssembly build's dependencies are missing; its tests will be skipped" >&2
fi
