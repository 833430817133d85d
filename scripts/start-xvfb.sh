#!/usr/bin/env bash
# Starts Xvfb on a free display number and prints the display (":N"). The server keeps running in the
# background; -noreset keeps it from restarting (and refusing connections) whenever its last client leaves.
set -euo pipefail
for number in $(seq 90 199); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    for _ in $(seq 1 50); do
        if xdpyinfo -display ":$number" >/dev/null 2>&1; then
            echo ":$number"
            exit 0
        fi
        sleep 0.1
    done
    kill "$!" 2>/dev/null || true
done
echo "could not start Xvfb" >&2
exit 1
