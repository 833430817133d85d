#!/usr/bin/env bash
# The real program under X: window, single instance, orderly shutdown on signals, settings and the
# autostart entry on disk, hostile files left alone. Needs an X display (DISPLAY) and xdotool; skips
# itself (77) otherwise.
set -u

source "$(dirname "$0")/x_program.sh"

ini="$HOME/.config/Wakelatch/Wakelatch.ini"
desktop="$HOME/.config/autostart/Wakelatch.desktop"

set_key() {  # set_key KEY VALUE: in the [Settings] group of the settings file
    if grep -q "^$1=" "$ini"; then
        sed -i "s|^$1=.*|$1=$2|" "$ini"
    else
        sed -i "s|^\[Settings\]\$|[Settings]\n$1=$2|" "$ini"
    fi
}

# First start on a fresh account.
start_program && pass "window '$title' appeared"
[ -d "$HOME/.local/share/Wakelatch/TEMP" ] && [ "$(stat -c %a "$HOME/.local/share/Wakelatch")" = 700 ] \
    && pass "private data folder with TEMP" || fail "data folder missing or not private"
help="$HOME/.local/share/Wakelatch/help/wakelatch_help_german.chm"
[ "$(head -c 4 "$help" 2>/dev/null)" = ITSF ] && pass "German help file written (ITSF)" || fail "no German help file"

# A second copy asks the first to the front and ends at once. Another window covers the first copy's
# (xwininfo lists the windows from the top down); afterwards the first copy's window is on top.
topmost() { xwininfo -root -children | grep -oE '"(Wakelatch Version 1\.0\.0|cover)"' | head -1; }
xmessage -geometry 700x500+20+20 cover >/dev/null 2>&1 &
cover=$!
pids+=("$cover")
for _ in $(seq 1 50); do [ "$(topmost)" = '"cover"' ] && break; sleep 0.1; done
started=$(date +%s%N)
timeout 5 "$program" >"$work/second.log" 2>&1; second_status=$?
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
[ "$second_status" -eq 0 ] && pass "second copy exits 0" || fail "second copy exit status $second_status"
[ "$elapsed_ms" -lt 2000 ] && pass "second copy ended after ${elapsed_ms} ms" || fail "second copy took ${elapsed_ms} ms"
kill -0 "$program_pid" 2>/dev/null && pass "first copy still runs" || fail "first copy is gone"
[ "$(main_windows | wc -l)" -eq 1 ] && pass "still exactly one main window" || fail "$(main_windows | wc -l) main windows"
for _ in $(seq 1 20); do [ "$(topmost)" = "\"$title\"" ] && break; sleep 0.1; done
[ "$(topmost)" = "\"$title\"" ] && pass "the first copy came to the front" || fail "the first copy stayed behind"
kill "$cover" 2>/dev/null

stop_program TERM
grep -qx 'MainLeft=1000' "$ini" && grep -qx 'MainTop=1000' "$ini" && pass "placement written back as 1000, 1000" \
    || { fail "placement keys wrong:"; cat "$ini"; }
[ ! -e "$desktop" ] && pass "no autostart entry with AutoStart off" || fail "autostart entry exists"

# Start with the desktop session: the entry names this program file.
set_key AutoStart True
start_program
stop_program INT
real_program=$(readlink -f "$program")
if [ -f "$desktop" ] && grep -qx "Exec=\"$real_program\"" "$desktop" && grep -qx 'Type=Application' "$desktop"; then
    pass "autostart entry written with the program's path"
else
    fail "autostart entry missing or wrong"; cat "$desktop" 2>/dev/null
fi

set_key AutoStart False
start_program
stop_program HUP
[ ! -e "$desktop" ] && pass "autostart entry removed with AutoStart off" || fail "autostart entry still there"

# SIGTERM at a spread of moments through start-up, from the splash to the running loop: every time the
# program ends with status 0 within a few seconds, leaves a settings file that parses, and no copy of
# it runs on. (In the first few milliseconds, before main() runs, the dynamic loader is still mapping
# the libraries; a signal then ends the process by its default action, before it has written anything.)
program_copies() {
    local count=0 exe
    for exe in /proc/[0-9]*/exe; do [ "$(readlink "$exe" 2>/dev/null)" = "$real_program" ] && count=$((count + 1)); done
    echo "$count"
}
settings_parse() { [ ! -e "$ini" ] || awk 'NR == 1 && $0 != "[Settings]" {bad = 1} NR > 1 && !/^[A-Za-z]+=/ {bad = 1} END {exit bad}' "$ini"; }
trial_failures=0
for trial in $(seq 1 40); do
    delay_ms=$((trial * 25))
    launch
    sleep "$(awk -v ms="$delay_ms" 'BEGIN { printf "%.3f", ms / 1000 }')"
    kill -TERM "$program_pid"
    wait_for_end "$program_pid" 50
    if [ "$status" != 0 ] || ! settings_parse || [ "$(program_copies)" -ne 0 ]; then
        fail "SIGTERM after ${delay_ms} ms: status $status, settings $(settings_parse && echo parse || echo torn), $(program_copies) copies left"
        trial_failures=$((trial_failures + 1))
        kill -KILL "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null
    fi
done
[ "$trial_failures" -eq 0 ] && pass "SIGTERM at 40 moments from 25 ms to 1 s: status 0 each time, settings whole, no copy left"

# Hostile files where the program keeps its settings, its drive map and its instance lock (each is refused
# in the unit tests; here the whole program): it starts, ends on SIGTERM with status 0 and leaves them as
# they were, but for the unreadable instance lock, which it takes over and removes.
signature() {  # what a path is, without opening it
    if [ -L "$1" ]; then echo "link -> $(readlink "$1")"; else stat -c %F "$1" 2>/dev/null || echo absent; fi
}
drives="$HOME/.config/Wakelatch/drives"
rm -f "$ini" "$drives"
mkfifo "$ini"
ln -s /dev/zero "$drives"
head -c 300 /dev/urandom >"$XDG_RUNTIME_DIR/Wakelatch.lock"
before="$(signature "$ini"), $(signature "$drives")"
start_program && stop_program TERM
after="$(signature "$ini"), $(signature "$drives")"
[ "$after" = "$before" ] && pass "hostile files left as they were ($before)" || fail "was '$before', now '$after'"
[ ! -e "$XDG_RUNTIME_DIR/Wakelatch.lock" ] && pass "a garbage instance lock taken over and released" ||
    fail "instance lock left behind"

finish
