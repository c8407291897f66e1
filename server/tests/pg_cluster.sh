#!/usr/bin/env bash
# Starts and stops the throwaway PostgreSQL cluster the server's tests run on.
#   pg_cluster.sh start STATE   a new cluster in a fresh folder under /tmp,
#                               whose path is written to the file STATE
#   pg_cluster.sh stop STATE    stops that cluster and removes its folder
# The cluster listens on a unix socket in its folder only, never on TCP. Its
# superuser is "postgres", trusted without a password, and it holds the
# database "pyxaro_tests". PostgreSQL refuses to run as root, so root runs it
# as the user postgres (or nobody).
set -euo pipefail

action=${1:-}
state=${2:-}
if [ -z "$state" ] || { [ "$action" != start ] && [ "$action" != stop ]; }; then
  echo "usage: $0 start|stop STATE_FILE" >&2
  exit 2
fi

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)

as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  owner=postgres
  id -u "$owner" >/dev/null 2>&1 || owner=nobody
  as_owner=(runuser -u "$owner" --)
fi

stop() {
  [ -f "$state" ] || return 0
  local folder
  folder=$(cat "$state")
  if [ -n "$bin" ] && [ -d "$folder/data" ]; then
    "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
  fi
  rm -rf "$folder"
  rm -f "$state"
}

if [ "$action" = stop ]; then
  stop
  exit 0
fi

# A cluster an interrupted run left behind goes first.
stop
if [ -z "$bin" ]; then
  echo "$0: no PostgreSQL server under /usr/lib/postgresql" >&2
  exit 1
fi
folder=$(mktemp -d /tmp/pyxaro-pg.XXXXXX)
echo "$folder" >"$state"
[ ${#as_owner[@]} -eq 0 ] || chown "$owner" "$folder"

if ! "${as_owner[@]}" "$bin/initdb" -D "$folder/data" -U postgres --auth=trust -E UTF8 \
     --locale=C.UTF-8 >"$folder/initdb.log" 2>&1; then
  cat "$folder/initdb.log" >&2
  exit 1
fi
# Nothing the tests write needs to outlive the run, so nothing waits for the disk.
if ! "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
     -o "-c listen_addresses='' -k $folder -c fsync=off -c synchronous_commit=off" \
     start >/dev/null; then
  cat "$folder/server.log" >&2
  exit 1
fi
"${as_owner[@]}" "$bin/createdb" -h "$folder" -U postgres pyxaro_tests
echo "PostgreSQL is up on the socket in $folder"
