#!/usr/bin/env bash
# Installs the Debian packages Tarvok needs (only those missing), then
# configures and builds the given preset. The build also generates the data.
# A second argument "deb" adds what building and trying the .deb needs.
set -euo pipefail
preset=${1:-release}
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(g++ cmake ninja-build pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev
          libgl1-mesa-dri libpng-dev libx11-dev xvfb xauth libsdl2-dev libsdl2-mixer-dev)
[ "$preset" = test ] && packages+=(googletest libgtest-dev)
# The fuzzing targets: clang with its libFuzzer and sanitizer runtimes.
[ "$preset" = fuzz ] && packages+=(clang libclang-rt-14-dev)
# Building and checking the .deb (the tests do, and scripts/try-deb.sh):
# dpkg-shlibdeps, file, desktop-file-validate, xwininfo.
if [ "$preset" = test ] || [ "${2:-}" = deb ]; then
  packages+=(dpkg-dev file desktop-file-utils x11-utils)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cd "$here"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
