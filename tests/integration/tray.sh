#!/usr/bin/env bash
# The tray icon for real: Wakelatch starts in the tray of a running tray host (trayer) under X, shows the
# idle hourglass, the working one during a keep-awake pass and the idle one again (the clicks on it are
# desktop.sh's, what they do is unit-tested). Skips itself (77) without an X display, xdotool, trayer or
# ImageMagick's import or xwd.
set -u

source "$(dirname "$0")/x_program.sh"  # skips without an X display; $program, $work, $HOME, pids, fail, pass
need import convert xwd md5sum
start_tray_host

mkdir -p "$HOME/.config/Wakelatch"
printf '[Settings]\nAutoTray=True\nLanguage=2\nTimes=1\n' >"$HOME/.config/Wakelatch/Wakelatch.ini"
launch
started=$(date +%s)

# Pixels of a picture in ImageMagick's text format (standard input) that are clearly red (the working
# picture's lower half) and clearly green.
rgb() { sed -n 's/.*srgba\{0,1\}(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'; }
red_pixels() { rgb | awk '$1 > 150 && $2 < 90 && $3 < 90 {n++} END {print n + 0}'; }
green_pixels() { rgb | awk '$2 > 120 && $1 < 90 && $3 < 110 {n++} END {print n + 0}'; }
shot() { timeout 5 import -window "$1" txt:- 2>/dev/null; }

wait_for icon_window 50
icon=$(icon_window)
[ -n "$icon" ] && pass "the icon sits in the tray" || { fail "no icon in the tray"; cat "$work/program.log"; }
[ -z "$(main_windows)" ] && pass "no main window shown" || fail "the main window is shown"
if [ -n "$icon" ]; then
    idle=$(shot "$icon")
    [ "$(green_pixels <<<"$idle")" -gt 5 ] && [ "$(red_pixels <<<"$idle")" -eq 0 ] && pass "idle hourglass: green, no red" ||
        fail "idle icon looks wrong"
    import -window root "$work/idle.png"

    # Times=1: the first pass comes 61 s after the start, and the working picture shows for a fraction of a
    # second: the icon is captured as fast as xwd goes around that moment, the distinct captures looked at
    # afterwards.
    while [ $(($(date +%s) - started)) -lt 58 ]; do sleep 0.2; done
    n=0
    while [ $(($(date +%s) - started)) -lt 68 ]; do
        # The icon's window may be made anew when its picture changes: then it is looked up again.
        xwd -silent -id "$icon" >"$work/capture-$n.xwd" 2>/dev/null || icon=$(icon_window)
        n=$((n + 1))
    done
    saw_working=0
    for capture in $(md5sum "$work"/capture-*.xwd | sort -u -k1,1 | awk '{print $2}'); do
        [ "$(convert "xwd:$capture" txt:- 2>/dev/null | red_pixels)" -gt 5 ] && saw_working=1
    done
    [ "$saw_working" -eq 1 ] && pass "working hourglass during the pass (among $n captures)" ||
        fail "the working icon never showed ($n captures)"
    sleep 1
    icon=$(icon_window)
    [ -n "$icon" ] && [ "$(shot "$icon" | red_pixels)" -eq 0 ] && pass "idle hourglass again after the pass" ||
        fail "the icon did not return to idle"
fi

stop_program TERM
finish
