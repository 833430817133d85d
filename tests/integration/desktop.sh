#!/usr/bin/env bash
# The program under a window manager (openbox) with a tray host (trayer): the tray menu opens when the
# right button is released, not when it is pressed; the About window moves with the left button only (a
# right-button drag leaves it in place and answering Escape); opened from the tray menu it has no owner,
# opened from the main window's menu it belongs to the main window. Skips itself (77) without an X
# display, xdotool, xprop, openbox or trayer. About 5 s.
set -u
here=$(dirname "$0")
# shellcheck source-path=SCRIPTDIR source=x_program.sh
source "$here/x_program.sh"  # skips without an X display; $program, $work, $HOME, pids, fail, pass
need openbox xprop xwininfo
# A window manager announces itself with a window of its own on the root (gone once it has ended).
wm_running() {
    local id
    id=$(xprop -root _NET_SUPPORTING_WM_CHECK | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
    [ -n "$id" ] && xwininfo -id "$id" >/dev/null 2>&1
}
wm_running && skip "another window manager runs on $DISPLAY"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox=$!
pids+=("$openbox")
for _ in $(seq 1 50); do wm_running && break; sleep 0.1; done
wm_running || skip "openbox did not start: $(cat "$work/openbox.log")"
start_tray_host

mkdir -p "$HOME/.config/Wakelatch"
printf '[Settings]\nAutoTray=True\nLanguage=2\nTimes=60\n' >"$HOME/.config/Wakelatch/Wakelatch.ini"
launch

# The program's pop-up menus: windows of its own, outside the window manager's frames, mapped.
menus_shown() {
    local window count=0
    for window in $(xwininfo -root -children | awk '/"Wakelatch"/ {print $1}'); do
        xwininfo -id "$window" | grep -q 'Override Redirect State: yes' &&
            xwininfo -id "$window" | grep -q 'Map State: IsViewable' && count=$((count + 1))
    done
    echo "$count"
}
about_window() { xdotool search --onlyvisible --name '^Info Wakelatch$' 2>/dev/null | head -1; }
# Reports the outcome of the test just run ($?): expect $? "what holds" "what went wrong".
expect() { if [ "$1" -eq 0 ]; then pass "$2"; else fail "$3"; fi; }
# The title of the window that owns window $1 (WM_TRANSIENT_FOR), if any.
owner() {
    local id
    id=$(xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
    [ -n "$id" ] && xprop -id "$id" WM_NAME | sed -n 's/^WM_NAME([A-Z_]*) = "\(.*\)"$/\1/p'
}

# drag BUTTON WINDOW: a drag with that button from the window's background, 100 pixels to the right.
drag() {
    local x y
    read -r x y < <(position "$2")
    xdotool mousemove $((x + 60)) $((y + 200)) mousedown "$1"
    sleep 0.2  # the window manager takes the pointer over
    xdotool mousemove $((x + 100)) $((y + 230))
    sleep 0.1
    xdotool mousemove $((x + 160)) $((y + 260))
    sleep 0.2
    xdotool mouseup "$1"
    sleep 0.3
}
no_about_window() { [ -z "$(about_window)" ] && echo gone; }

wait_for icon_window 50 || { fail "no icon in the tray"; cat "$work/program.log"; exit 1; }
icon=$(icon_window)
read -r ix iy < <(position "$icon")
ix=$((ix + 10)) iy=$((iy + 12))

# The right button: nothing while it is held, the menu once it is let go.
xdotool mousemove "$ix" "$iy" mousedown 3
sleep 0.5
[ "$(menus_shown)" -eq 0 ]
expect $? "no tray menu while the right button is held" "the menu opened on the press"
xdotool mouseup 3
for _ in $(seq 1 30); do [ "$(menus_shown)" -gt 0 ] && break; sleep 0.1; done
[ "$(menus_shown)" -gt 0 ]
expect $? "the tray menu opens on the release" "no menu after the release"

# Its About entry ("In&fo Wakelatch..."): a window of its own.
xdotool key f
if wait_for about_window 30; then
    about=$(about_window)
    [ "$(owner "$about")" != "$title" ]
    expect $? "About from the tray menu has no owner" "About from the tray menu belongs to the main window"
    before=$(position "$about")
    drag 3 "$about"
    [ "$(position "$about")" = "$before" ]
    expect $? "a right-button drag leaves the About window in place" "the About window moved with the right button"
    xdotool key Escape
    wait_for no_about_window 20
    expect $? "Escape closes it afterwards" "Escape did not close the About window"
else
    fail "the tray menu's About entry showed no window"
fi

# A double-click brings the main window back; its menu's About entry (the last of the second menu)
# opens an About window that belongs to it.
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 60 1
wait_for main_windows 30
expect $? "double-click shows the main window" "double-click did not bring the main window back"
read -r mx my < <(position "$(main_windows | head -1)")
xdotool mousemove $((mx + 12)) $((my + 8)) click 1
sleep 0.3
xdotool key Right Up Return
if wait_for about_window 30; then
    about=$(about_window)
    [ "$(owner "$about")" = "$title" ]
    expect $? "About from the main menu belongs to the main window" \
        "About from the main menu is not owned by the main window ($(owner "$about"))"
    before=$(position "$about")
    drag 1 "$about"
    [ "$(position "$about")" != "$before" ]
    expect $? "a left-button drag moves it" "a left-button drag did not move it"
    xdotool key Escape
else
    fail "the main menu's About entry showed no window"
fi
[ -z "${WAKELATCH_SCREENSHOTS:-}" ] || import -window root "$work/desktop.png"

stop_program TERM
kill -TERM "$trayer_pid" "$openbox"  # they end in order; openbox takes its announcement along
wait "$trayer_pid" "$openbox"
finish
