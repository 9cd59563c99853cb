#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the fuzz targets (clang
# with its libFuzzer and sanitizer runtimes) need (when missing), and a window manager for
# looking at framed windows under Xvfb;
# then configures and builds the project into build/. Arguments are passed on to the configure
# (the test script turns warnings into errors with -DORV_WARNINGS_AS_ERRORS=ON).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libqt6svg6
  qt6-qpa-plugins
  fonts-dejavu-core fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-xlrd
  xvfb xauth poppler-utils gnumeric
  openbox
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_WARNINGS_AS_ERRORS=OFF "$@"
cmake --build build -j"$(nproc)"
