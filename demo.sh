#!/usr/bin/env bash
# Sets up (packages, the three programs), creates the demo installation, starts the simulated scale and
# runs the weighing desk.   ./demo.sh [--fresh] [--setup-only]
set -euo pipefail
cd "$(dirname "$0")"
fresh=0
setup_only=0
for arg in "$@"; do
  case "$arg" in
    --fresh) fresh=1 ;;
    --setup-only) setup_only=1 ;;
    *) echo "usage: ./demo.sh [--fresh] [--setup-only]" >&2; exit 2 ;;
  esac
done

# Only the programs the demo runs: the tests and benchmarks are ./test.sh's business.
./scripts/setup.sh --desk-only

demo="$PWD/demo-install"
# The demo keeps its data sources and scale link beside it, not in the user's own settings.
export ODBCINI="$demo/odbc.ini"
export XDG_CONFIG_HOME="$demo/config"
mkdir -p "$demo/program" "$XDG_CONFIG_HOME"

if [ "$fresh" -eq 1 ] || [ ! -f "$demo/program/SerPath.mdb" ]; then
  rm -rf "$demo/program" "$demo/data" "$ODBCINI"
  mkdir -p "$demo/program"
  build/bin/tarvolen-admin init --program-dir "$demo/program" --data-root "$demo/data" --demo
fi
rm -f "$demo/program/tarvolen" # a copy left by earlier demos: the desk is told where to look

if [ "$setup_only" -eq 1 ]; then
  echo "Demo installation ready in $demo"
  exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: the weighing desk needs one (set DISPLAY, or run ./demo.sh --setup-only)." >&2
  exit 1
fi

sim_log="$demo/scale-sim.log"
build/bin/tarvolen-scale-sim --tcp 127.0.0.1:5001 --weights "38.5,42.0,27.5,40.5,88.0" \
  >"$sim_log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  grep -q listening "$sim_log" 2>/dev/null && break
  sleep 0.1
done

echo "Simulated scale on 127.0.0.1:5001 (log: $sim_log)."
echo "Sign in as operator / milk."
build/bin/tarvolen --program-dir "$demo/program"
