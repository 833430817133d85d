#!/usr/bin/env bash
# Starts Xvfb on a free display number and prints "DISPLAY PID" (":N 1234"). The server keeps running in
# the background; -noreset keeps it from restarting (and refusing connections) whenever its last client
# leaves.
set -euo pipefail
for number in $(seq 90 199); do
    if [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; then
        continue
    fi
    Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 50); do
        if xdpyinfo -display ":$number" >/dev/null 2>&1; then
            echo ":$number $pid"
            exit 0
        fi
        kill -0 "$pid" 2>/dev/null || break  # it died (display taken meanwhile): try the next number
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
done
echo "could not start Xvfb" >&2
exit 1
