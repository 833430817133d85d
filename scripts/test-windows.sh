#!/usr/bin/env bash
# Installs the Windows toolchain and Wine when missing, cross-builds the Windows preset (build-windows/)
# and runs its tests under Wine in a private prefix. The prefix gets test drives first: letters mapped to
# folders of build-windows/wine-drives, with the drive kinds set in Wine's registry. Wine gets a private
# Xvfb of its own (a test posts a message to a window, and Wine makes windows only on a display).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
scripts/install-deps.sh windows

cmake --preset windows >/dev/null
# The machine is shared: two jobs unless told otherwise.
if ! cmake --build --preset windows -j "${WAKELATCH_JOBS:-2}" >build-windows/build.log 2>&1; then
    tail -n 60 build-windows/build.log
    echo "Windows build: FAILED (build-windows/build.log)"
    exit 1
fi
echo "Windows build: $(grep -c -E '^\[[0-9]+/[0-9]+\]' build-windows/build.log) steps, $(grep -c -i 'warning:' \
    build-windows/build.log) warnings, $(($(date +%s) - started)) s"

export WINEPREFIX=$PWD/build-windows/wine WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
unset DISPLAY WAYLAND_DISPLAY
xvfb_pid=""
if xvfb=$(scripts/start-xvfb.sh 2>/dev/null); then
    export DISPLAY=${xvfb% *}
    xvfb_pid=${xvfb#* }
fi

# Wine's background services must not hold the streams ctest waits on.
quiet() { "$@" </dev/null >/dev/null 2>&1; }
stop_wine() { quiet "$wineserver" -k || true; quiet "$wineserver" -w || true; }
stop_all() {
    stop_wine
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap stop_all EXIT
# Interrupted or stopped by CI: exit through the EXIT trap, so the wineserver and the Xvfb go too.
trap 'exit 130' INT
trap 'exit 143' TERM HUP

[ -f "$WINEPREFIX/system.reg" ] || quiet "$wine" wineboot -i

# Test drives: W: fixed, N: network, R: removable, O: CD-ROM (all folders here). A letter is seen only
# after the server restarts, and so is a drive's label (the file .windows-label in its root).
drives=$PWD/build-windows/wine-drives
declare -A kinds=([w]="" [n]=network [r]=floppy [o]=cdrom)
for letter in "${!kinds[@]}"; do
    mkdir -p "$drives/$letter"
    printf 'TEST-%s' "${letter^^}" >"$drives/$letter/.windows-label"
    ln -sfn "$drives/$letter" "$WINEPREFIX/dosdevices/$letter:"
    if [ -n "${kinds[$letter]}" ]; then
        quiet "$wine" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d "${kinds[$letter]}" /f
    fi
done
stop_wine
quiet "$wineserver" -p
quiet "$wine" cmd /c exit
export WAKELATCH_WINE_DRIVES=$drives

status=0
ctest --preset windows --output-junit "$PWD/build-windows/windows-tests.xml" >build-windows/ctest.log 2>&1 ||
    status=$?
grep -E '^[0-9]+% tests passed|^The following tests|^[[:space:]]+[0-9]+ - ' build-windows/ctest.log || true
[ $status -eq 0 ] || tail -n 60 build-windows/ctest.log
echo "Windows tests under Wine: $(grep -Eo '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' \
    build-windows/ctest.log || echo 'no summary'), $(($(date +%s) - started)) s"
exit $status
