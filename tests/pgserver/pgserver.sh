#!/usr/bin/env bash
# A private PostgreSQL server for one test run.
#   pgserver.sh start STATE_FILE [NAME=VALUE ...]
#                                  initdb into a new temporary folder, start on a free port
#                                  (socket in that folder), write the server's address
#                                  (postgresql://postgres@127.0.0.1:PORT) into STATE_FILE;
#                                  each NAME=VALUE is a further server setting (wal_level=logical)
#   pgserver.sh stop STATE_FILE    stop that server and remove its folder
#   pgserver.sh pause STATE_FILE   stop it, keeping its data (a server lost in mid-shift)
#   pgserver.sh resume STATE_FILE  start it again on the same port
# When run as root the server runs as the postgres system user, since initdb refuses root.
set -euo pipefail

action=${1:?start or stop}
state=${2:?state file}
shift 2
bin=${TARVOLEN_PG_BIN:-/usr/lib/postgresql/15/bin}

as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

case "$action" in
start)
  if [ -f "$state" ]; then "$0" stop "$state" || true; fi
  settings=""
  for setting in "$@"; do settings="$settings -c $setting"; done
  dir=$(mktemp -d /tmp/tarvolen-pg.XXXXXX)
  chmod 755 "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
  as_server_user "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 \
    >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    port=$(( 20000 + (RANDOM * 32768 + RANDOM) % 40000 ))
    if as_server_user "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
        -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200$settings" \
        start >/dev/null; then
      printf 'postgresql://postgres@127.0.0.1:%s\n%s\n%s\n%s\n' "$port" "$dir" "$port" "$settings" \
        >"$state"
      echo "test server on port $port in $dir"
      exit 0
    fi
  done
  cat "$dir/server.log" >&2
  exit 1
  ;;
stop)
  [ -f "$state" ] || exit 0
  dir=$(sed -n 2p "$state")
  if [ -n "$dir" ] && [ -d "$dir/data" ]; then
    # The data goes with the folder: no shutdown checkpoint to wait for.
    as_server_user "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null || true
  fi
  case "$dir" in /tmp/tarvolen-pg.*) rm -rf "$dir" ;; esac
  rm -f "$state"
  ;;
pause)
  dir=$(sed -n 2p "$state")
  as_server_user "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
  ;;
resume)
  dir=$(sed -n 2p "$state")
  port=$(sed -n 3p "$state")
  settings=$(sed -n 4p "$state")
  as_server_user "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
    -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200$settings" \
    start >/dev/null
  ;;
*)
  echo "usage: $0 start|stop|pause|resume STATE_FILE [NAME=VALUE ...]" >&2
  exit 2
  ;;
esac
