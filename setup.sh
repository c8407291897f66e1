#!/usr/bin/env bash
# Sets up a Debian 12 machine for Pyxaro, builds it, and either starts the
# game or runs every test.
#   ./setup.sh play   install what is missing, build the game alone, start it
#   ./setup.sh server install what the online list's server alone needs, build
#                     it and its Debian package, and say how to install it
#   ./setup.sh test   install what is missing, build everything, run all tests
#                     in the normal and the sanitizer configuration, then say
#                     how long each stage took
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
  play|server|test) ;;
  *) echo "usage: $0 play|server|test" >&2; exit 2 ;;
esac

# Each stage's name and seconds, told at the end whether the run passed or
# not: a run that stops shows where its time went up to the stage that failed.
stage_names=()
stage_seconds=()
current_stage=""
current_start=0
report() {
  local status=$?
  [ "$mode" = test ] || return "$status"
  if [ -n "$current_stage" ]; then
    stage_names+=("$current_stage (failed)")
    stage_seconds+=($((SECONDS - current_start)))
  fi
  [ ${#stage_names[@]} -gt 0 ] || return "$status"
  local total=0 i
  echo
  printf '%-36s %8s\n' stage seconds
  for i in "${!stage_names[@]}"; do
    printf '%-36s %8d\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
    total=$((total + stage_seconds[i]))
  done
  printf '%-36s %8d\n' total "$total"
  return "$status"
}
trap report EXIT
stage() {
  current_stage=$1
  current_start=$SECONDS
  shift
  "$@"
  stage_names+=("$current_stage")
  stage_seconds+=($((SECONDS - current_start)))
  current_stage=""
}

# What the game alone needs to build and run: a compiler, CMake, Ninja, Qt
# Widgets and Multimedia, the font its texts are set in and Qt's own
# translations of the boxes' buttons.
packages=(build-essential cmake ninja-build qt6-base-dev)
# The online list's server: both SQL drivers and libsodium; its HTTP is
# Qt Network's, which qt6-base-dev holds.
server_packages=(libqt6sql6-sqlite libqt6sql6-psql libsodium-dev pkg-config)
# CPack's Debian packages find their library dependencies through file(1).
deb_packages=(file)
if [ "$mode" = server ]; then
  packages+=("${server_packages[@]}" "${deb_packages[@]}")
else
  packages+=(qt6-multimedia-dev fonts-dejavu-core qt6-translations-l10n)
fi
if [ "$mode" = test ]; then
  # The tests, the benchmarks, the format check and libFuzzer.
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev clang-format clang libclang-rt-14-dev)
  # The online list's server and the PostgreSQL its tests start.
  packages+=("${server_packages[@]}" postgresql)
  # The install tests validate the menu entry and the AppStream data.
  packages+=(desktop-file-utils appstream)
  # A server test opens the online list's pages in headless Chromium.
  packages+=(chromium)
  # The package test runs lintian and systemd-analyze on the server's package.
  packages+=(lintian systemd "${deb_packages[@]}")
  # A server test backs the list up and restores it with SQLite's own shell,
  # as the README tells an operator to.
  packages+=(sqlite3)
fi
install_packages() {
  local missing=() package
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# The configurations are the presets of CMakePresets.json: play (the game
# alone), release and sanitizer (everything, warnings as errors).
configure() {
  cmake --preset "$1"
}
build() {
  local dir=$1
  shift
  cmake --build "$dir" -j"$(nproc)" "$@"
}
# With PYXARO_NO_SKIPS=1 (CI, which installs everything) a test skipped for
# want of a tool fails the run.
run_tests() {
  (cd "$1" && ctest --output-on-failure -j"$(nproc)") | tee "$1/ctest.log"
  if [ "${PYXARO_NO_SKIPS:-0}" = 1 ] && grep -q "The following tests did not run" "$1/ctest.log"; then
    echo "Tests were skipped in $1, and this run must run every test." >&2
    return 1
  fi
}

stage packages install_packages

if [ "$mode" = play ]; then
  # The program with what it opens at run time: its folder's settings and
  # language files, the sound module and the resource package. The tests and
  # benchmarks wait for ./setup.sh test.
  configure play
  build build --target pyxaro
  cd build/game
  exec ./pyxaro
fi

if [ "$mode" = server ]; then
  # No window and no sound: the server and its package, built without the
  # game's desktop half.
  configure server
  build build-server
  (cd build-server && cpack -G DEB >/dev/null)
  deb=$(ls build-server/pyxaro-scores_*.deb)
  echo "Built build-server/server/pyxaro-scores and $deb."
  echo "Install it as a service with:  sudo apt install ./$deb && sudo systemctl enable --now pyxaro-scores"
  exit 0
fi

# The tests' builds take every warning for an error; a plain build does not.
stage "configure release" configure release
stage "build release" build build
stage "test release" run_tests build
stage "configure sanitizer" configure sanitizer
stage "build sanitizer" build build-asan
stage "test sanitizer" run_tests build-asan
