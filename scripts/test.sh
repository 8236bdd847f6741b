#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: core, ui and end to end
# (ctest), then the core and ui suites again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz target for a short, fixed time from its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/format.sh
bash scripts/build.sh
# The package test also installs and removes the package here (plain ctest leaves the machine's
# packages alone).
(cd build && HUEBIRD_INSTALL_TEST=1 ctest --output-on-failure)
bash scripts/sanitize.sh
bash tests/fuzz/run.sh "${HUEBIRD_FUZZ_SECONDS:-20}"
