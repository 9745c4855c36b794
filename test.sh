#!/usr/bin/env bash
# Sets up (packages, build) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
