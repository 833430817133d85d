#!/usr/bin/env bash
# The Windows installer under Wine, in the prefix of scripts/test-windows.sh: a silent install per user puts
# the program, README, uninstaller, Start-menu shortcut and the "Apps" entry in place; the installed program
# runs as in use (its help file appears; with AutoStart it writes the autostart entry as it ends); a silent
# uninstall ends it politely, removes all of it and the autostart entry, and keeps the settings.
# Usage: installer.sh INSTALLER.nsi Wakelatch.exe STRIP README ICON WORK-FOLDER   Exit 77: a tool or the
# display is missing. The program is shipped as the packaging makes it: STRIP takes its debugging
# information away (and with it most of makensis's time).
set -euo pipefail
nsi=$1 built=$2 strip=$3 readme=$4 icon=$5 work=$6

source "$(dirname "$0")/wine-common.sh"
command -v makensis >/dev/null || skip "makensis is missing (Debian package nsis)"
[ -x "$wine" ] || skip "$wine is missing (Debian package wine64)"
[ -f "${WINEPREFIX:-/nonexistent}/system.reg" ] || skip "no Wine prefix: run it through scripts/test-windows.sh"
# Wine makes windows only on a display, and the program needs its main window.
command -v xdotool >/dev/null || skip "xdotool is missing"
[ -n "${DISPLAY:-}" ] || skip "no X display for the installed program (scripts/test-windows.sh starts Xvfb)"

failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
gone() { [ ! -e "$1" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }
running=""
cleanup() {
    [ -z "$running" ] || kill "$running" 2>/dev/null || true
    w reg delete 'HKCU\Software\Wakelatch' /f >/dev/null || true
}
trap cleanup EXIT

rm -rf "$work"
mkdir -p "$work"
setup=$work/Wakelatch-1.0.0-setup.exe
program=$work/Wakelatch.exe
"$strip" --strip-all -o "$program" "$built"
makensis -V1 -DVERSION=1.0.0 "-DPROGRAM=$program" "-DREADME=$readme" "-DICON=$icon" "-DOUTFILE=$setup" "$nsi" \
    >"$work/makensis.log" 2>&1 || { cat "$work/makensis.log"; exit 1; }

uninstallKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wakelatch'
runKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settingsKey='HKCU\Software\Wakelatch\Settings'
mapfile -t folders < <(w cmd /c 'echo %LOCALAPPDATA%& echo %APPDATA%')
installedAt="${folders[0]%% }\\Programs\\Wakelatch"
mapfile -t unix < <(w winepath -u "$installedAt" \
    "${folders[1]%% }\\Microsoft\\Windows\\Start Menu\\Programs\\Wakelatch.lnk")
installed=${unix[0]%/} shortcut=${unix[1]}

# The user's settings exist before (German, start with Windows, not in the tray); an earlier copy's leftovers
# do not.
reg_import '[-HKEY_CURRENT_USER\Software\Wakelatch]' '[HKEY_CURRENT_USER\Software\Wakelatch\Settings]' \
    '"Language"="1"' '"AutoStart"="True"' '"AutoTray"="False"' '"InstallerTest"="kept"' \
    '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]' '"Wakelatch"=-'
rm -rf "$installed" "$shortcut"

# The installer exits 0 even when it installs nothing: what counts is what it left.
w "$setup" /S >/dev/null || fail "the installer ended with status $?"
cmp -s "$program" "$installed/Wakelatch.exe" || fail "Wakelatch.exe is not installed in $installed"
cmp -s "$readme" "$installed/README.md" || fail "README.md is not installed"
[ -f "$installed/uninstall.exe" ] || fail "no uninstall.exe"
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
expect_value() {
    local actual
    actual=$(reg_value "$uninstallKey" "$1") || { fail "no value $1 in $uninstallKey"; return; }
    [ "$actual" = "$2" ] || fail "$1 is [$actual], expected [$2]"
}
# What the "Apps" page shows and runs.
expect_value DisplayName Wakelatch
expect_value DisplayVersion 1.0.0
expect_value UninstallString "\"$installedAt\\uninstall.exe\""
expect_value QuietUninstallString "\"$installedAt\\uninstall.exe\" /S"

# The installed program in use: at start it writes its help file beside itself.
"$wine" "$installed/Wakelatch.exe" </dev/null >"$work/wine.log" 2>&1 &
running=$!
# Closed only once its start-up is over, in its message loop: closed while still starting, it took up to
# 20 s to end under load, and the uninstaller gave up on it.
within 30 main_visible || fail "the installed program shows no main window \"$title\""
[ -f "$installed/help/wakelatch_help_german.chm" ] || fail "the program wrote no help file in $installed/help"

w "$installed/uninstall.exe" /S >/dev/null || fail "the uninstaller ended with status $?"
# The uninstaller finishes from a copy of itself: wait for the folder to go.
within 45 gone "$installed" || fail "$installed is still there: $(find "$installed" | tr '\n' ' ')"
if within 5 ended "$running"; then
    wait "$running" || fail "the program ended with status $?"
    running=""
else
    fail "the running program was not ended"
fi
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
! w reg query "$uninstallKey" >/dev/null || fail "the uninstall entry is still there"
! reg_value "$runKey" Wakelatch >/dev/null || fail "the autostart entry is still there"
[ "$(reg_value "$settingsKey" InstallerTest)" = kept ] || fail "the settings were removed by a silent uninstall"
# Ended politely: it saved its window's place, as at every exit.
reg_value "$settingsKey" MainLeft >/dev/null || fail "the program did not save its window's place: not ended as by Exit"

[ $failures -eq 0 ] || exit 1
echo "installed, checked and uninstalled"
