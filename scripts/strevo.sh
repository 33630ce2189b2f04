#!/usr/bin/env bash
# Sets up a Debian 12 machine for Strevo, builds what is out of date, then starts the program
# or runs every test.
#   scripts/strevo.sh run     build and start the program
#   scripts/strevo.sh test    build and run every test with CTest
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
  echo "usage: scripts/strevo.sh run|test" >&2
  exit 2
fi

packages=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libgtest-dev
  libgmock-dev libbenchmark-dev fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if ((${#missing[@]} > 0)); then
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

[[ -f build/CMakeCache.txt ]] || cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2

if [[ $mode == run ]]; then
  if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "Strevo is a desktop program and this session has no display (DISPLAY is not set)." >&2
    echo "Start it on a desktop, or under a virtual X server:" >&2
    echo "  sudo apt-get install -y xvfb && xvfb-run -a build/src/app/strevo" >&2
    exit 1
  fi
  exec build/src/app/strevo
fi
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
