#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12 packages), then configures and builds.
#   scripts/setup.sh               everything: the programs, the tests and the benchmarks
#   scripts/setup.sh --desk-only   only the three programs (what ./demo.sh runs)
set -euo pipefail
cd "$(dirname "$0")/.."

desk_only=0
for arg in "$@"; do
  case "$arg" in
    --desk-only) desk_only=1 ;;
    *) echo "usage: scripts/setup.sh [--desk-only]" >&2; exit 2 ;;
  esac
done

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6sql6-sqlite
  libsqlite3-dev sqlite3
  unixodbc unixodbc-dev odbcinst libsqliteodbc
  postgresql odbc-postgresql libqt6sql6-psql libpq-dev
  xvfb xauth xdotool
  poppler-utils
  qt6-l10n-tools fonts-noto-core
  cups cups-client libcups2-dev
  dpkg-dev desktop-file-utils passwd
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi

# The SQLite ODBC driver registers itself as "SQLite3"; make sure the name is known.
if ! odbcinst -q -d -n SQLite3 >/dev/null 2>&1; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  printf '[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=libsqlite3odbc.so\nSetup=libsqlite3odbc.so\n' \
    > /tmp/tarvolen-odbc-driver.ini
  $sudo_cmd odbcinst -i -d -f /tmp/tarvolen-odbc-driver.ini
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$desk_only" -eq 1 ]; then
  cmake --build build -j"$(nproc)" --target tarvolen tarvolen-admin tarvolen-scale-sim
else
  cmake --build build -j"$(nproc)"
fi
