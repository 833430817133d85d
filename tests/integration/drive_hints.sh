#!/usr/bin/env bash
# What each drive row says about its last touch, read through the accessibility bus. Two ticked loop
# drives on relatime mounts, the program running as an ordinary user (nobody): E: holds a settled file of
# that user, so a pass reaches it; F: holds only a file of root whose access time a read would write, and
# its block device is not readable for the user, so nothing may reach it. After a pass started with the
# Start button, E:'s row says it was reached and F:'s says why not, and F:'s row carries the warning mark
# (screenshots, with the tooltip shown, go to $WAKELATCH_SCREENSHOTS). Needs root, X, AT-SPI; skips (77)
# otherwise.
set -u

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=x_program.sh
source "$here/x_program.sh"  # skips without an X display; $program, $work, $HOME, $XDG_RUNTIME_DIR, fail, pass
[ "$(id -u)" -eq 0 ] || skip "needs root to mount loop images"
need mkfs.ext4 setpriv dbus-run-session import
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus (at-spi2-core) is missing"
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null || skip "python3-gi with Atspi 2.0 is missing"

mounts=()
cleanup() {  # replaces the shared one: the program and the mounts go first
    pkill -KILL -u nobody -f "$program" 2>/dev/null
    for point in "${mounts[@]}"; do umount -l "$point" 2>/dev/null; done
    rm -rf "$work"
}
chmod 0755 "$work"

# make_drive NAME OWNER: a relatime ext4 image mounted at $work/NAME holding one settled 64 KiB file.
make_drive() {
    truncate -s 16M "$work/$1.img" && mkfs.ext4 -q -F "$work/$1.img" && mkdir "$work/$1" &&
        mount -o loop,relatime "$work/$1.img" "$work/$1" || skip "cannot mount a loop image"
    mounts+=("$work/$1")
    head -c 65536 /dev/urandom >"$work/$1/data.bin"
    chown "$2" "$work/$1/data.bin"
    touch -m -d '1 hour ago' "$work/$1/data.bin"
    touch -a -d '2 days ago' "$work/$1/data.bin"  # older than the last change: a read would write it
}
make_drive reachable nobody
make_drive unreachable root
chown nobody "$work/reachable"  # the user's own drive: its folder may be listed without writing to it
ls "$work/unreachable" >/dev/null  # and the other's folder only just read: listing it writes nothing either

mkdir -p "$HOME/.config/Wakelatch"
printf 'E: %s\nF: %s\n' "$work/reachable" "$work/unreachable" >"$HOME/.config/Wakelatch/drives"
printf '[Settings]\nLanguage=2\nTimes=60\nDrives=%s\n' 'E:\\F:\\' >"$HOME/.config/Wakelatch/Wakelatch.ini"
chown -R nobody "$HOME" "$XDG_RUNTIME_DIR"

# The program and the probe share one session bus (and with it the accessibility bus) as nobody.
cat >"$work/session.sh" <<EOF
set -u
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$program" >"$work/program.log" 2>&1 &
app=\$!
probe() { /usr/bin/python3 "$here/atspi_probe.py" "\$@" 2>>"$work/probe.log"; }
for _ in \$(seq 1 100); do probe rows >"$work/before.txt" && break; sleep 0.1; done
probe press "Start manuell" || echo "no Start button on the bus" >>"$work/probe.log"
for _ in \$(seq 1 100); do
    probe rows >"$work/after.txt"
    grep -q "^F:.*	Not reached" "$work/after.txt" && break
    sleep 0.1
done
import -window root "$work/mark.png"
# Qt shows tooltips in the active window only; without a window manager, focus makes it so.
xdotool search --name '^Wakelatch Version' windowfocus 2>/dev/null
centre=\$(awk -F'\t' '/^F:/ {print \$3}' "$work/after.txt")
xdotool mousemove \${centre%,*} \${centre#*,} && sleep 2 && import -window root "$work/tooltip-missed.png"
centre=\$(awk -F'\t' '/^E:/ {print \$3}' "$work/after.txt")
xdotool mousemove 0 0 && sleep 0.5 && xdotool mousemove \${centre%,*} \${centre#*,} && sleep 2 &&
    import -window root "$work/tooltip-reached.png"
cp "$work/after.txt" "$work/after-\$(date +%s).txt"
kill -TERM \$app
wait \$app
echo \$? >"$work/status"
EOF
chown nobody "$work"
env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$HOME" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups dbus-run-session -- bash "$work/session.sh"

row() { awk -F'\t' -v letter="$1" 'index($1, letter ":") == 1 {print $2}' "$work/$2.txt" 2>/dev/null; }

[ "$(row E before)" = "Not touched yet" ] && [ "$(row F before)" = "Not touched yet" ] &&
    pass "before the pass: not touched yet" || { fail "before the pass: '$(row E before)' '$(row F before)'"; cat "$work/probe.log" "$work/program.log" 2>/dev/null; }
[[ "$(row E after)" =~ ^Last\ reached:\ [0-9]{2}:[0-9]{2}:[0-9]{2}\ \(4\ KiB\ read\ from\ the\ drive\)$ ]] &&
    pass "E: $(row E after)" || fail "E: '$(row E after)'"
[ "$(row F after)" = "Not reached: no file on the drive that may be read" ] &&
    pass "F: $(row F after)" || fail "F: '$(row F after)'"
[ "$(cat "$work/status" 2>/dev/null)" = 0 ] && pass "ends with status 0" || fail "exit status $(cat "$work/status" 2>/dev/null)"
if [ -n "${WAKELATCH_SCREENSHOTS:-}" ]; then
    mkdir -p "$WAKELATCH_SCREENSHOTS" && cp "$work"/*.png "$WAKELATCH_SCREENSHOTS"/ 2>/dev/null
fi
echo "$failures failures"
[ "$failures" -eq 0 ]
