#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# and only those that are missing.
set -euo pipefail

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

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
