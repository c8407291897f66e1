#!/usr/bin/env bash
# Starts build/game/pyxaro under Xvfb several times and prints the median
# milliseconds from launch until its first window is mapped, then the
# resident memory of the running game window and its CPU time while idle.
#   usage: bench/launch.sh [RUNS] [IDLE_SECONDS]
# Needs xvfb and xdotool. Runs on a copy of the program folder, so the
# player's settings are left alone.
set -euo pipefail
runs=${1:-7}
idle=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
game="$root/build/game"
[ -x "$game/pyxaro" ] || { echo "build the game first: $game/pyxaro" >&2; exit 1; }

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

now_ms() { date +%s%3N; }
times=()
for _ in $(seq 1 "$runs"); do
  start=$(now_ms)
  (cd "$work" && exec ./pyxaro) >/dev/null 2>&1 &
  gpid=$!
  until xdotool search --onlyvisible --pid "$gpid" >/dev/null 2>&1; do
    if [ $(($(now_ms) - start)) -gt 10000 ]; then
      echo "no window within 10 s" >&2
      exit 1
    fi
    sleep 0.002
  done
  times+=($(($(now_ms) - start)))
  kill "$gpid"; wait "$gpid" 2>/dev/null || true
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "first window mapped: median ${median} ms over $runs runs (${times[*]})"

(cd "$work" && exec ./pyxaro) >/dev/null 2>&1 &
gpid=$!
sleep 4  # splash, then the game window
rss=$(awk '/VmRSS/ {print $2}' "/proc/$gpid/status")
echo "resident memory with the game window open: $((rss / 1024)) MB (${rss} kB)"

# Time on the CPU in nanoseconds, finer than the clock ticks of /proc/PID/stat.
cpu_ns() { awk '{print $1}' "/proc/$gpid/schedstat"; }
before=$(cpu_ns)
sleep "$idle"
after=$(cpu_ns)
echo "CPU time of the idle game over ${idle} s: $(((after - before) / 1000000)) ms"
