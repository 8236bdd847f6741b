#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test (core, ui, end to end).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
cd build
ctest --output-on-failure
