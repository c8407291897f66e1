#!/usr/bin/env bash
# Starts the game and a bare Qt window alternately under one Xvfb and prints
# the median milliseconds from launch until each one's first window is
# mapped, and their ratio; then the time from the splash's end until the
# game window is mapped, the resident memory of the game with its game window
# open against the bare window's, and the game's CPU time while idle.
#   usage: bench/launch.sh [ROUNDS] [IDLE_SECONDS]
# Needs xvfb and xdotool, and the benchmarks built (build/bench/bare_window).
# Runs on a copy of the program folder, so the player's settings are left
# alone.
set -euo pipefail
rounds=${1:-9}
idle=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
game="$root/build/game"
bare="$root/build/bench/bare_window"
[ -x "$game/pyxaro" ] || { echo "build the game first: $game/pyxaro" >&2; exit 1; }
[ -x "$bare" ] || { echo "build the benchmarks first: $bare" >&2; exit 1; }

work=$(mktemp -d)
trap 'kill "${gpid:-}" "${xpid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$game/." "$work/"
# Skip the picker so the run reaches the game window by itself.
printf '[Options]\nShowLangu=No\nPlaySound=No\n' >"$work/Pyx4.ini"
sed -n '/^\[Language\]/,$p' "$game/Pyx4.ini" >>"$work/Pyx4.ini" 2>/dev/null || true

for d in $(seq 90 120); do [ -e /tmp/.X11-unix/X$d ] || break; done
Xvfb ":$d" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
export DISPLAY=":$d"
for _ in $(seq 1 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done

# Microseconds from bash itself: no clock program forked between the marks.
now_us() { echo "${EPOCHREALTIME/./}"; }

# Starts a program in the work folder and waits until it has a window
# mapped; leaves the milliseconds that took in elapsed and its process in
# gpid.
# Under the polling's stream of connections Xvfb now and then refuses one,
# and the program aborts before it has a window: that launch is started again.
launch() {
  local start tries
  for tries in 1 2 3; do
    start=$(now_us)
    (cd "$work" && exec "$@") >/dev/null 2>&1 &
    gpid=$!
    until xdotool search --onlyvisible --pid "$gpid" >/dev/null 2>&1; do
      if ! kill -0 "$gpid" 2>/dev/null; then
        wait "$gpid" 2>/dev/null || true
        continue 2
      fi
      if [ $(($(now_us) - start)) -gt 10000000 ]; then
        echo "no window within 10 s: $*" >&2
        exit 1
      fi
      sleep 0.001
    done
    elapsed=$((($(now_us) - start + 500) / 1000))
    return
  done
  echo "ended three times before a window: $*" >&2
  exit 1
}

stop() { kill "$gpid"; wait "$gpid" 2>/dev/null || true; }

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

rss_kb() { awk '/VmRSS/ {print $2}' "/proc/$gpid/status"; }

game_times=()
bare_times=()
for round in $(seq 1 "$rounds"); do
  # Each goes first in every other round, so neither always finds the
  # caches warmed by the other.
  for which in $(if [ $((round % 2)) -eq 1 ]; then echo game bare; else echo bare game; fi); do
    if [ "$which" = game ]; then
      launch ./pyxaro
      game_times+=("$elapsed")
    else
      launch "$bare"
      bare_times+=("$elapsed")
    fi
    stop
  done
done
game_median=$(median "${game_times[@]}")
bare_median=$(median "${bare_times[@]}")
echo "first window mapped, game: median ${game_median} ms over $rounds rounds (${game_times[*]})"
echo "first window mapped, bare: median ${bare_median} ms over $rounds rounds (${bare_times[*]})"
echo "ratio game / bare: $(awk -v g="$game_median" -v b="$bare_median" 'BEGIN {printf "%.2f", g / b}')"

# The game marks its start-up on the console; the game window is the window
# mapped after the splash's time is up.
marks="$work/marks"
(cd "$work" && PYXARO_STARTUP_TIMES=1 exec ./pyxaro) >/dev/null 2>"$marks" &
gpid=$!
for _ in $(seq 1 200); do
  awk '/splash time up/ {up = 1} up && /mapped/ {found = 1} END {exit !found}' "$marks" && break
  sleep 0.05
done
sleep 1  # let the window settle before its memory is read
awk '/splash time up/ {up = $2} up != "" && /mapped/ && !done {
       printf "game window mapped after the splash time is up: %.1f ms\n", $2 - up; done = 1 }' \
  "$marks"
game_rss=$(rss_kb)

# Time on the CPU in nanoseconds, finer than the clock ticks of /proc/PID/stat.
cpu_ns() { awk '{print $1}' "/proc/$gpid/schedstat"; }
before=$(cpu_ns)
sleep "$idle"
after=$(cpu_ns)
stop

launch "$bare"
sleep 1
bare_rss=$(rss_kb)
stop
echo "resident memory, game with the game window open: $((game_rss / 1024)) MB (${game_rss} kB)"
echo "resident memory, bare window: $((bare_rss / 1024)) MB (${bare_rss} kB)"
echo "memory ratio game / bare: $(awk -v g="$game_rss" -v b="$bare_rss" 'BEGIN {printf "%.2f", g / b}')"
echo "CPU time of the idle game over ${idle} s: $(((after - before) / 1000000)) ms"
