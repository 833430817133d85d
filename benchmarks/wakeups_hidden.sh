#!/usr/bin/env bash
# Wake-ups of a program hidden in the tray: voluntary context switches (each a wake-up after a sleep) of
# its threads over a period, from /proc/PID/task/*/status. Needs an X display and trayer.
#   benchmarks/wakeups_hidden.sh build/wakelatch [SECONDS]     (default 300)
#   benchmarks/wakeups_hidden.sh build/benchmarks/minimal_tray_program [SECONDS]
set -u
program=${1:?usage: wakeups_hidden.sh PROGRAM [SECONDS]}
seconds=${2:-300}
[ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "no X display"; exit 77; }
command -v trayer >/dev/null || { echo "trayer is missing"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

if ! xwininfo -root -tree | grep -q '"panel": ("panel" "trayer")'; then
    trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 &
    pids+=("$!")
    for _ in $(seq 1 50); do xwininfo -root -tree | grep -q '"panel": ("panel" "trayer")' && break; sleep 0.1; done
fi
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME/.config/Wakelatch" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
printf '[Settings]\nAutoTray=True\nLanguage=2\nTimes=60\n' >"$HOME/.config/Wakelatch/Wakelatch.ini"
"$program" >/dev/null 2>&1 &
app=$!
pids+=("$app")
sleep 3  # start-up over, the icon in the tray

# "TID COUNT" per thread; a thread that starts meanwhile counts from 0, one that ends is lost.
per_thread() {
    for status in /proc/"$app"/task/*/status; do
        awk -v tid="$(basename "$(dirname "$status")")" '/^voluntary_ctxt_switches/ {print tid, $2}' "$status" 2>/dev/null
    done
}
per_thread >"$work/before"
sleep "$seconds"
per_thread >"$work/after"
awk -v app="$app" -v program="$(basename "$program")" -v seconds="$seconds" '
    NR == FNR { before[$1] = $2; next }
    { n = $2 - before[$1]; total += n; if ($1 == app) main = n }
    END { printf "%s: %d wake-ups in %d s hidden in the tray (user-interface thread %d)\n", program, total, seconds, main }
' "$work/before" "$work/after"
