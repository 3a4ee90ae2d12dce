#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Sorvex, and starts it or runs every test.
#   bash tools/build.sh run     build and start the editor
#   bash tools/build.sh test    build and run the unit and end-to-end tests
#   bash tools/build.sh build   build only
set -euo pipefail
mode=${1:-run}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SORVEX_BUILD_DIR:-$root/build}

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
          libqscintilla2-qt6-dev libgtest-dev libbenchmark-dev libgl-dev fonts-liberation
          poppler-utils tidy)
# tidy is the baseline bench/check.cpp measures the code check against.
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${@:2}"
cmake --build "$build" -j "$(nproc)"

case "$mode" in
  run) exec "$build/sorvex" ;;
  test) cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" ;;
  build) ;;
  *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac
