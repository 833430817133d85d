#!/usr/bin/env bash
# Installs what is missing, builds and starts Wakelatch.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
scripts/build.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # No desktop session: give the program a virtual screen so it can still be seen (e.g. by screenshot).
    scripts/install-deps.sh test
    xvfb=$(scripts/start-xvfb.sh)
    export DISPLAY=${xvfb% *}
    echo "No display found; Wakelatch runs on the virtual display $DISPLAY."
fi
exec build/wakelatch
