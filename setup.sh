#!/usr/bin/env bash
# Sets up a Debian 12 machine for Pyxaro, builds it, and either starts the
# game or runs every test.
#   ./setup.sh play   install what is missing, build, start the game
#   ./setup.sh test   install what is missing, build, run all tests in the
#                     normal and the sanitizer configuration
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
  play|test) ;;
  *) echo "usage: $0 play|test" >&2; exit 2 ;;
esac

packages=(build-essential cmake qt6-base-dev qt6-multimedia-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core qt6-translations-l10n
          clang libclang-rt-14-dev)
# The online list's server and the PostgreSQL its tests start. Qt HTTP
# Server's CMake package needs the WebSockets one, which it does not depend on.
packages+=(qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite libqt6sql6-psql libsodium-dev
           postgresql pkg-config)
# The install tests validate the menu entry and the AppStream data.
packages+=(desktop-file-utils appstream)
# A server test opens the online list's pages in headless Chromium.
packages+=(chromium)
# The package test runs lintian and systemd-analyze on the server's package.
packages+=(lintian systemd)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

build() {
  local dir=$1 type=$2
  shift 2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@"
  cmake --build "$dir" -j"$(nproc)"
}

if [ "$mode" = play ]; then
  build build Release
  cd build/game
  exec ./pyxaro
fi

build build Release
(cd build && ctest --output-on-failure)
build build-asan Debug -DPYXARO_SANITIZE=ON
(cd build-asan && ctest --output-on-failure)
