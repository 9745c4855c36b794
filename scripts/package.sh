#!/usr/bin/env bash
# Builds the Debian package of the desk (build/tarvolen_<version>_<arch>.deb) and shows it.
#   ./scripts/package.sh            then: sudo apt install ./build/tarvolen_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --build build --target package -j"$(nproc)"
for deb in build/tarvolen_*.deb; do
  echo "== $deb"
  dpkg-deb -I "$deb"
done
