#!/usr/bin/env bash
# The real program under X started on hostile files where it keeps its settings, its drive map and its
# instance lock: each time the window appears, SIGTERM ends the program with status 0 within a few
# seconds, and the hostile file is left as it was. Needs an X display and xdotool; skips itself (77)
# otherwise.
set -u

source "$(dirname "$0")/x_program.sh"

config="$HOME/.config/Wakelatch"
ini="$config/Wakelatch.ini"
drives="$config/drives"
lock="$XDG_RUNTIME_DIR/Wakelatch.lock"

# What a path is, without opening it: its type, and the link's target or the regular file's checksum.
signature() {
    if [ -L "$1" ]; then
        echo "link -> $(readlink "$1")"
    elif [ -f "$1" ]; then
        echo "file $(sha256sum <"$1" | cut -c1-16)"
    else
        stat -c %F "$1" 2>/dev/null || echo absent
    fi
}
window_shown() { [ "$(windows_titled)" -ge 1 ]; }

ten_megabytes() { head -c 10485760 /dev/zero | tr '\0' "$1"; }

# try NAME PATH SETUP...: a fresh account, SETUP plants the hostile file at PATH (- for none to compare),
# then one run.
try() {
    local name=$1 path=$2
    shift 2
    rm -rf "$HOME" "$XDG_RUNTIME_DIR"
    mkdir -p "$config" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
    "$@"
    local before
    before=$(signature "$path")
    "$program" >"$work/program.log" 2>&1 &
    app=$!
    pids+=("$app")
    local shown=no
    for _ in $(seq 1 100); do
        window_shown && { shown=yes; break; }
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    [ "$shown" = yes ] && pass "$name: window shown" || fail "$name: no window within 10 s"
    kill -TERM "$app" 2>/dev/null
    wait_for_end "$app" 50
    if [ "$status" = running ]; then
        fail "$name: still running 5 s after SIGTERM"
        kill -KILL "$app"; wait "$app" 2>/dev/null
    else
        [ "$status" -eq 0 ] && pass "$name: SIGTERM ends it with status 0" || fail "$name: exit status $status"
    fi
    [ "$path" = - ] && return
    local after
    after=$(signature "$path")
    [ "$after" = "$before" ] && pass "$name: left as it was ($before)" || fail "$name: was '$before', now '$after'"
}

settings() { printf '[Settings]\nLanguage=2\n' >"$ini"; }
long_settings_line() { { printf '[Settings]\nDrives='; ten_megabytes C; } >"$ini"; }
many_keys() { { echo '[Settings]'; seq -f 'Key%g=1' 1 100000; } >"$ini"; }
lock_folder() { settings; mkdir "$ini.lock"; }
lock_garbage() { settings; head -c 300 /dev/urandom >"$ini.lock"; }
lock_link() { settings; ln -s /nonexistent "$ini.lock"; }
garbage_instance_lock() { head -c 300 /dev/urandom >"$lock"; }
long_drive_map_line() { { printf 'D: '; ten_megabytes /; } >"$drives"; }

try "settings file as a FIFO" "$ini" mkfifo "$ini"
try "settings file linked to /dev/zero" "$ini" ln -s /dev/zero "$ini"
try "settings file with a 10 MB line" "$ini" long_settings_line
try "settings file with 100,000 keys" "$ini" many_keys
try "a folder at the settings lock" "$ini.lock" lock_folder
try "garbage at the settings lock" "$ini.lock" lock_garbage
try "a link at the settings lock" "$ini.lock" lock_link
# A lock that cannot be read is stale: the program takes it over and removes it when it ends.
for setup in "touch $lock" garbage_instance_lock; do
    try "instance lock: $setup" - $setup
    [ ! -e "$lock" ] && pass "instance lock taken over and released" || fail "instance lock left behind"
done
try "drive map as a FIFO" "$drives" mkfifo "$drives"
try "drive map linked to /dev/zero" "$drives" ln -s /dev/zero "$drives"
try "drive map with a 10 MB line" "$drives" long_drive_map_line

echo "$failures failures"
[ "$failures" -eq 0 ]
