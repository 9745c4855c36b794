#!/usr/bin/env bash
# A private print service (CUPS) for one test run, never the machine's own.
#   cupsserver.sh start STATE_FILE   a cupsd whose folders lie in a new temporary folder, listening
#                                    on a socket there, with the queue "slips" that writes each job
#                                    as it came (a raw queue) to FOLDER/out/job-N; STATE_FILE holds
#                                    the socket (what CUPS_SERVER names) and the folder
#   cupsserver.sh stop STATE_FILE    stop it and remove its folder
set -euo pipefail

action=${1:?start or stop}
state=${2:?state file}

case "$action" in
start)
  if [ -f "$state" ]; then "$0" stop "$state" || true; fi
  dir=$(mktemp -d /tmp/tarvolen-cups.XXXXXX)
  chmod 755 "$dir"
  mkdir -p "$dir"/{spool/tmp,cache,state,log,out,ppd,bin/backend}
  chmod 1777 "$dir/out" "$dir/spool/tmp"
  # The service's own programs, and one backend of ours that keeps each job in a file of its
  # own (mode 0700: it runs as the user who started the service).
  for part in cgi-bin daemon filter monitor notifier; do
    ln -s "/usr/lib/cups/$part" "$dir/bin/$part"
  done
  cat >"$dir/bin/backend/tofile" <<'BACKEND'
#!/bin/sh
# tofile:/FOLDER  writes job N to FOLDER/job-N
[ $# -eq 0 ] && { echo 'direct tofile "Unknown" "Jobs into files"'; exit 0; }
folder=${DEVICE_URI#tofile:}
if [ $# -ge 6 ]; then cat "$6"; else cat; fi >"$folder/job-$1.part" && mv "$folder/job-$1.part" "$folder/job-$1"
BACKEND
  chmod 0700 "$dir/bin/backend/tofile"
  cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel ${TARVOLEN_CUPS_LOGLEVEL:-warn}
MaxLogSize 0
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
  cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin $dir/bin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
CONF
  : >"$dir/printers.conf"
  setsid /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" \
    >"$dir/log/cupsd.out" 2>&1 </dev/null &
  echo $! >"$dir/cupsd.pid"
  export CUPS_SERVER="$dir/cups.sock"
  for attempt in $(seq 1 100); do
    if lpstat -r >/dev/null 2>&1; then break; fi
    sleep 0.1
  done
  lpstat -r >/dev/null 2>&1 || { cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 || true; exit 1; }
  # A raw queue: the job's PDF reaches the file as it was sent.
  lpadmin -p slips -E -v "tofile:$dir/out" -m raw 2>/dev/null
  cupsenable slips
  cupsaccept slips
  printf '%s\n%s\n' "$dir/cups.sock" "$dir" >"$state"
  echo "print service on $dir/cups.sock"
  ;;
stop)
  [ -f "$state" ] || exit 0
  dir=$(sed -n 2p "$state")
  if [ -n "$dir" ] && [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    # The service writes its cache as it goes: its folder is removed once it has ended.
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  case "$dir" in /tmp/tarvolen-cups.*) rm -rf "$dir" ;; esac
  rm -f "$state"
  ;;
*)
  echo "usage: $0 start|stop STATE_FILE" >&2
  exit 2
  ;;
esac
