#!/usr/bin/env bash
# The real Wakelatch.exe under Wine, on the test script's Xvfb with the trayer tray host: what only the
# running program shows (the window captions are checked in-process by the win32 tests): a ticked drive and
# the slider saved, hiding into the tray and back, the tray menu opened, a second copy, the session's end,
# what Exit writes. Needs the prefix of scripts/test-windows.sh.
# Usage: program.sh <Wakelatch.exe> <window probe .exe> <work folder>   Exit 77: no display or tray host.
# No window manager: under one (openbox) Wine's docked tray icons get no clicks.
set -uo pipefail
program=$1 probe=$2 work=$3
source "$(dirname "$0")/wine-common.sh"
settings='HKCU\Software\Wakelatch\Settings'
runKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

for tool in xdotool xwininfo trayer xdpyinfo; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 || skip "no X display (scripts/test-windows.sh starts Xvfb)"
[ -n "${WINEPREFIX:-}" ] || skip "no private Wine prefix (run through scripts/test-windows.sh)"

failures=0
check() {  # check <what> <command...>
    local what=$1
    shift
    "$@" && echo "ok   $what" && return
    echo "FAIL $what"
    failures=$((failures + 1))
    return 1
}
probe() { "$wine" "$probe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
main_hidden() { ! main_visible; }
# The icon windows Wine docked into the tray host, one line of xwininfo each.
docked() {
    local window
    for window in $(xdotool search --class trayer 2>/dev/null); do
        xwininfo -tree -id "$window" 2>/dev/null | grep '"explorer.exe"'
    done
}
icons_are() { [ "$(docked | grep -c .)" -eq "$1" ]; }
icon_point() {  # the middle of the first docked icon, "x y"; the line's "... 20x22+0+0  +1259+1": size, place
    docked | head -n1 | sed -E 's/.*[)] +([0-9]+)x([0-9]+)[-+0-9]* +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2 \3 \4/' |
        { read -r w h x y && echo "$((x + w / 2)) $((y + h / 2))"; }
}
click_at() { xdotool mousemove "$1" "$2" click "${3:-1}"; }
click_control() {  # click_control <id>
    local point
    point=$(probe center "$title" "$1") && [ -n "$point" ] && click_at $point
}
popup_open() { [ -n "$(xdotool search --onlyvisible --classname 'wakelatch.exe' 2>/dev/null)" ]; }

rm -rf "$work"
mkdir -p "$work/program"
cp "$program" "$work/program/Wakelatch.exe"
programPath=$("$wine" winepath -w "$work/program/Wakelatch.exe" 2>/dev/null | tr -d '\r')

trayer --edge top --align right --widthtype request --height 24 --transparent false >/dev/null 2>&1 &
trayer_pid=$!
wakelatch_pid=""
cleanup() {
    [ -z "$wakelatch_pid" ] || kill "$wakelatch_pid" 2>/dev/null
    kill "$trayer_pid" 2>/dev/null
    quiet "$wine" reg delete 'HKCU\Software\Wakelatch' /f
    quiet "$wine" reg delete "$runKey" /v Wakelatch /f
}
trap cleanup EXIT
within 10 eval '[ -n "$(xdotool search --class trayer 2>/dev/null)" ]' || skip "trayer did not start"

start_program() {
    "$wine" "$work/program/Wakelatch.exe" </dev/null >>"$work/wine.log" 2>&1 &
    wakelatch_pid=$!
}
program_status() {  # waits for the program to end; its exit status
    within 20 eval '[ ! -d "/proc/$wakelatch_pid" ]' || return 99
    local pid=$wakelatch_pid
    wakelatch_pid=""
    wait "$pid"
}

# German (Language 1), no autostart: fresh settings and no Run value.
reg_import '[-HKEY_CURRENT_USER\Software\Wakelatch]' '[HKEY_CURRENT_USER\Software\Wakelatch\Settings]' \
    '"Language"="1"' '"Times"="5"' '"AutoStart"="False"' '"AutoTray"="False"' \
    '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]' '"Wakelatch"=-'
start_program
check "the main window opens" within 20 main_visible || exit 1

point=$(probe rows "$title" 105 | awk -F'\t' '$2 ~ /^W:/ && $3 ~ /^TEST-W/ { print $1; exit }')
check "the test drive W: is listed with its label" test -n "$point"
if [ -n "$point" ]; then
    click_at $point
    click_control 101
    check "a click ticks W:, and Save writes Drives with W:" \
        within 10 eval '[[ "$(reg_value "$settings" Drives)" == *W:* ]]'
fi

# At 5 minutes the slider's thumb is low (position 56): a click in the channel above it moves it a page (5)
# up and gives it the focus, the Up key one more: position 50, that is 61 - 50 = 11 minutes, saved at once.
click_control 107
xdotool key Up
check "a click on the slider and Up: Times 11 is saved" within 5 eval '[ "$(reg_value "$settings" Times)" = 11 ]'

click_control 103
check "hiding leaves no window" within 10 main_hidden
check "and one icon in the tray" within 10 icons_are 1
point=$(icon_point)
click_at $point 3
check "a right-click opens the tray menu" within 5 popup_open
xdotool key Escape
within 5 eval '! popup_open'
xdotool mousemove $point click --repeat 2 --delay 80 1
check "a double-click on the icon restores the window" within 10 main_visible
check "and removes the icon" within 10 icons_are 0

click_control 103
within 10 main_hidden && within 10 icons_are 1
"$wine" "$work/program/Wakelatch.exe" </dev/null >>"$work/wine.log" 2>&1
check "a second copy ends with 0" test $? -eq 0
check "and brings the first forward, out of the tray" within 10 main_visible
check "whose icon goes" within 10 icons_are 0

click_control 104
program_status
check "Exit ends the program with 0" test $? -eq 0
check "exit wrote the window's place" test -n "$(reg_value "$settings" MainHeight)"
check "AutoStart False: no Run value" test -z "$(reg_value "$runKey" Wakelatch)"

# English (Language 2), with autostart.
reg_import '[HKEY_CURRENT_USER\Software\Wakelatch\Settings]' '"Language"="2"' '"AutoStart"="True"'
start_program
check "English: the main window opens" within 20 main_visible
check "the session's end is agreed to" test "$(probe endsession "$title")" = 1
program_status
check "and ends the program with 0" test $? -eq 0
check "AutoStart True: the Run value is the program's path (quoted)" \
    test "$(reg_value "$runKey" Wakelatch)" = "\"$programPath\""

[ $failures -eq 0 ] || { echo "$failures checks failed"; exit 1; }
