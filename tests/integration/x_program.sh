# Sourced by the scripts that run the real program under X (argument 1: the program). Skips the script
# (77) where no X display is reachable or xdotool is missing; gives it a private account in a work
# folder ($HOME, $XDG_RUNTIME_DIR) that is removed at the end with every process listed in pids.
program=${1:?usage: $0 PATH_TO_WAKELATCH}
title='Wakelatch Version 1.0.0'

skip() {  # skip REASON: exit 77, or fail where the integration tests are required
    echo "SKIP: $*"
    [ -n "${WAKELATCH_REQUIRE_INTEGRATION:-}" ] && exit 1
    exit 77
}
need() {  # need TOOL...: skip without any of them
    for tool in "$@"; do command -v "$tool" >/dev/null || skip "$tool is missing"; done
}

if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null || ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    skip "no X display reachable (DISPLAY='${DISPLAY:-}') or xdotool missing; run through scripts/test.sh"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

export HOME="$work/home"
export XDG_RUNTIME_DIR="$work/run"
unset XDG_CONFIG_HOME XDG_DATA_HOME
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Waits up to $2 tenths of a second for process $1 to end; sets status to its exit status, or "running".
wait_for_end() {
    status=running
    for _ in $(seq 1 "$2"); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; status=$?; return; }
        sleep 0.1
    done
}
# Waits up to $2 tenths of a second for command $1 to print something.
wait_for() {
    for _ in $(seq 1 "$2"); do [ -n "$($1)" ] && return 0; sleep 0.1; done
    return 1
}
main_windows() { xdotool search --onlyvisible --name "^${title//./\\.}\$" 2>/dev/null; }
# The main window of the program started last, once it is on the screen.
window_id() {
    local id
    for id in $(xdotool search --all --pid "$program_pid" --name "^${title//./\\.}\$" 2>/dev/null); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && { echo "$id"; return; }
    done
}
# Starts the program in the background: $program_pid.
launch() {
    "$program" >>"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
}
# Starts the program and waits up to 15 s for its main window and its instance socket; $window_ms: how
# long they took.
start_program() {
    local start_ns
    start_ns=$(date +%s%N)
    launch
    for _ in $(seq 1 150); do
        if [ -n "$(window_id)" ] && [ -S "$XDG_RUNTIME_DIR/Wakelatch.socket" ]; then
            window_ms=$((($(date +%s%N) - start_ns) / 1000000))
            return 0
        fi
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    fail "no window titled '$title' appeared"
    cat "$work/program.log"
    return 1
}
# stop_program SIGNAL: the program started last must end with status 0 within 5 s.
stop_program() {
    kill -"$1" "$program_pid"
    wait_for_end "$program_pid" 50
    [ "$status" = 0 ] && pass "SIG$1 ends the program with status 0" || fail "SIG$1: exit status $status"
}
# The last command of a script: the screenshots kept where $WAKELATCH_SCREENSHOTS asks for them, the
# failures counted.
finish() {
    if [ -n "${WAKELATCH_SCREENSHOTS:-}" ]; then
        mkdir -p "$WAKELATCH_SCREENSHOTS" && cp "$work"/*.png "$WAKELATCH_SCREENSHOTS"/ 2>/dev/null
    fi
    echo "$failures failure(s)"
    [ "$failures" -eq 0 ]
}
# The upper left corner of window $1: "X Y" (xwininfo without a window would wait for one to be clicked).
position() { [ -n "$1" ] && xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'; }
# click_button WINDOW LEFT_TWIPS: a button of the main window's bottom row (top 5160, 2175 × 495 twips,
# 15 twips a pixel, below the menu bar).
click_button() {
    local X Y
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + ($2 + 1087) / 15)) $((Y + 18 + (5160 + 247) / 15)) click 1
}

# A tray host (trayer) at the top right; the program's icon is a window embedded in its panel.
start_tray_host() {
    need trayer
    trayer --edge top --align right --widthtype request --height 32 --transparent false --tint 0xffffff \
        >"$work/trayer.log" 2>&1 &
    trayer_pid=$!
    pids+=("$trayer_pid")
    for _ in $(seq 1 50); do xwininfo -root -tree | grep -q '"panel": ("panel" "trayer")' && break; sleep 0.1; done
}
icon_window() { timeout 5 xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {p=1; next} p && /"Wakelatch"/ {print $1; exit}'; }
