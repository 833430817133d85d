#!/usr/bin/env bash
# The real program with a ticked sshfs share whose server is frozen (SIGSTOP, so every call on the share
# hangs): start-up ends, the window answers throughout a pass, and Exit or SIGTERM end the process at once
# while a call is stuck on the share.
# The user-interface thread is probed every 20 ms through the instance socket ("ping" → "pong").
# Needs root, sshfs, sshd, FUSE, python3, an X display and xdotool; skips itself (77) otherwise.
set -u

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=x_program.sh
source "$here/x_program.sh"  # skips without an X display; $program, $work, $HOME, fail, pass
# The pause after every pass blocks the window by design; a stall beyond it is a fault.
max_stall_ms=250
program_pid=""
[ "$(id -u)" -eq 0 ] || skip "needs root (FUSE mount, sshd)"
need sshfs ssh-keygen /usr/sbin/sshd python3 xwininfo fusermount
[ -e /dev/fuse ] || skip "no /dev/fuse"

sshd_descendants() {  # every process of the server but its listener: they serve the mounted session
    local parents children all=""
    parents=$(cat "$work/sshd.pid" 2>/dev/null) || return 0
    while [ -n "$parents" ]; do
        children=$(for p in $parents; do pgrep -P "$p"; done)
        all="$all $children"
        parents=$children
    done
    echo $all
}
freeze() { kill -STOP $(sshd_descendants) 2>/dev/null; }
thaw() { kill -CONT $(sshd_descendants) 2>/dev/null; }

cleanup() {  # replaces the shared one: the frozen server, the share and the program go first
    thaw
    [ -n "$program_pid" ] && kill -KILL "$program_pid" 2>/dev/null
    fusermount -u -z "$work/share" 2>/dev/null
    [ -f "$work/sshd.pid" ] && kill "$(cat "$work/sshd.pid")" 2>/dev/null
    rm -rf "$work"
}

# A private sshd on a free loopback port, and the share mounted from it.
mkdir -p "$work/export" "$work/share"
port=$("$here/loopback_sshd.sh" "$work" 2>/dev/null) || skip "sshd did not start"
# A settled file the touch may read: old, whole, larger than one read.
head -c 262144 /dev/urandom >"$work/export/settled.bin"
touch -d '3 days ago' "$work/export/settled.bin"
sshfs "root@127.0.0.1:$work/export" "$work/share" -p "$port" \
    -o "IdentityFile=$work/client_key,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,BatchMode=yes" ||
    skip "sshfs could not mount the loopback share"

# The program's own world: the share pinned to N: and ticked, English texts.
mkdir -p "$HOME/.config/Wakelatch"
echo "N: $work/share" >"$HOME/.config/Wakelatch/drives"
cat >"$HOME/.config/Wakelatch/Wakelatch.ini" <<'EOF'
[Settings]
Drives=C:\\N:\\
Times=5
Language=2
DriveName=1
DriveStart=0
AutoTray=False
AutoStart=False
EOF
socket_path="$XDG_RUNTIME_DIR/Wakelatch.socket"

probe() {  # probe SECONDS: the longest answer time of the user-interface thread, in ms
    python3 "$here/probe_ui.py" "$socket_path" "$1"
}
press() { click_button "$(window_id)" "$1"; }  # press LEFT_TWIPS: a button of the program started last
gone_within_a_second() {  # true when the program ended within a second
    wait_for_end "$program_pid" 10
    [ "$status" != running ] && program_pid=""
}

# 1. Frozen before the first touch: start-up ends and a pass leaves the window answering.
freeze
start_program || exit 1
# The load may wait behind the splash, but for a stuck drive only once (3 s), not once per question.
[ "$window_ms" -le 4500 ] && pass "the window appeared $window_ms ms after the start with the share frozen" ||
    fail "the window took $window_ms ms with one frozen share"
press 2640  # cmd_Start
stall=$(probe 7)
[ "$stall" -le "$max_stall_ms" ] && pass "longest stall during the pass: $stall ms" ||
    fail "the window stalled $stall ms during a pass on a frozen share (limit $max_stall_ms ms)"

# 2. Exit, and SIGTERM, while a call is stuck on the frozen share: gone within a second.
press 2640
sleep 1
press 7440  # cmd_Beenden
if gone_within_a_second; then
    pass "Exit ended the program with a call stuck on the share"
else
    fail "the program was still there 1 s after Exit"
    thaw  # the stuck copy can only go once its call returns
    kill -KILL "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
    freeze
fi
start_program || exit 1
press 2640
sleep 1
kill -TERM "$program_pid"
gone_within_a_second && pass "SIGTERM ended the program with a call stuck on the share" ||
    fail "the program was still there 1 s after SIGTERM"

finish
