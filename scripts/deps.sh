#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its tools and its tests need (only what is missing).
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libfluidsynth-dev timgm6mb-soundfont
  fonts-ipafont-gothic qt6-translations-l10n xvfb xauth imagemagick libgtest-dev libgmock-dev
  libbenchmark-dev libgraphviz-dev)
if [ "${1:-}" = "--test" ]; then
  # dbus, at-spi2-core, python3-pyatspi, xdotool: the game read as a screen reader reads it;
  # pulseaudio, pulseaudio-utils, sox: the music heard through a private sound server.
  packages+=(chromium clang libclang-rt-14-dev valgrind dbus at-spi2-core python3-pyatspi xdotool
    pulseaudio pulseaudio-utils sox)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
