#!/usr/bin/env bash
# Configures and builds Wakelatch and its tests in build/, and says so in one line (the whole log is in
# build/build.log; its end is shown when the build fails).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
cmake --preset default >/dev/null
if ! cmake --build --preset default >build/build.log 2>&1; then
    tail -n 60 build/build.log
    echo "Linux build: FAILED (build/build.log)"
    exit 1
fi
echo "Linux build: $(grep -c -E '^\[[0-9]+/[0-9]+\]' build/build.log) steps, $(grep -c -i 'warning:' build/build.log) \
warnings, $(($(date +%s) - started)) s"
