#!/usr/bin/env bash
# Installs what is missing, builds Wakelatch and runs every test. The tests that need an X display get a
# private Xvfb, stopped again at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh

xvfb_display=$(scripts/start-xvfb.sh) || xvfb_display=""
stop_xvfb() {
    [ -n "$xvfb_display" ] && pkill -f "Xvfb $xvfb_display " 2>/dev/null || true
}
trap stop_xvfb EXIT
[ -n "$xvfb_display" ] && export DISPLAY=$xvfb_display

ctest --preset default
