#!/usr/bin/env bash
# The Linux program as users install it. Argument: the build folder (built).
#  1. The Debian package made with CPack from this build folder (its install rules): its files, the desktop
#     entry and the AppStream metadata valid, lintian without errors (its warnings are shown).
#  2. The package installed with apt (root): /usr/bin/wakelatch under X shows its window, runs its helper
#     from /usr/libexec, ends with 0 on SIGTERM and writes an autostart entry that names
#     /usr/bin/wakelatch; then removed with apt, with whatever its installation brought in.
# A missing tool, root or X display skips what needs it (77 at the end); under WAKELATCH_REQUIRE_INTEGRATION
# that is a failure.
set -u
build=${1:?usage: $0 BUILD_FOLDER}
id=io.github.wakelatch.Wakelatch
title='Wakelatch Version 1.0.0'

work=$(mktemp -d)
chmod 755 "$work"  # apt reads the package as its own unprivileged user
failures=0
skips=()
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
skip() { echo "SKIP: $*"; skips+=("$*"); }
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
have() { command -v "$1" >/dev/null || { skip "$1 is missing (Debian package $2)"; return 1; }; }

apt_get() { apt-get -y -qq -o DPkg::Lock::Timeout=120 "$@"; }
installed_packages() {
    dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort
}
program_pid=""
we_installed=false
cleanup() {
    [ -z "$program_pid" ] || kill -KILL "$program_pid" 2>/dev/null
    if $we_installed; then
        apt_get remove wakelatch >/dev/null 2>&1
        # What the installation brought in (its dependencies) goes too: the machine is left as it was.
        mapfile -t brought < <(comm -13 "$work/before" <(installed_packages))
        [ ${#brought[@]} -eq 0 ] || apt_get purge "${brought[@]}" >/dev/null 2>&1
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# 1. The package, from this build folder (its install rules, stripped copies of its programs).
deb="$work/package/wakelatch_1.0.0_$(dpkg --print-architecture).deb"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1
if [ ! -f "$deb" ]; then
    cat "$work/cpack.log"
    fail "cpack made no package"
    exit 1
fi
pass "package made: $(basename "$deb"), $(($(stat -c %s "$deb") / 1024)) KiB"
root="$work/unpacked/usr"
dpkg-deb -x "$deb" "$work/unpacked"
for file in bin/wakelatch libexec/wakelatch/wakelatch-drive-helper share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg share/man/man1/wakelatch.1.gz \
    share/doc/wakelatch/copyright share/doc/wakelatch/changelog.gz; do
    [ -f "$root/$file" ] || fail "the package lacks /usr/$file"
done
if have desktop-file-validate desktop-file-utils; then
    check "desktop entry valid" desktop-file-validate "$root/share/applications/$id.desktop"
fi
if have appstreamcli appstream; then
    check "AppStream metadata valid" appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
fi
if have lintian lintian; then
    lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
    grep '^W:' "$work/lintian.log"
    if grep '^E:' "$work/lintian.log"; then
        fail "lintian reports errors"
    else
        pass "lintian: no errors, $(grep -c '^W:' "$work/lintian.log") warnings"
    fi
fi

# 2. Installed with apt, started, ended and removed.
if [ "$(id -u)" -ne 0 ]; then
    skip "installing the package needs root"
elif dpkg-query -W -f='${Status}' wakelatch 2>/dev/null | grep -q 'install ok installed'; then
    skip "wakelatch is installed on this machine already; the test does not replace it"
elif [ -z "${DISPLAY:-}" ] || ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    skip "no X display reachable (DISPLAY='${DISPLAY:-}') or xdotool missing; run through scripts/test.sh"
else
    installed_packages >"$work/before"
    we_installed=true
    if ! apt_get install --no-install-recommends "$deb" >"$work/apt.log" 2>&1; then
        cat "$work/apt.log"
        fail "apt-get install of the package"
        exit 1
    fi
    pass "installed with apt"

    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
    unset XDG_DATA_HOME
    mkdir -p "$XDG_CONFIG_HOME/Wakelatch" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
    printf '[Settings]\nAutoStart=True\n' >"$XDG_CONFIG_HOME/Wakelatch/Wakelatch.ini"
    /usr/bin/wakelatch >"$work/program.log" 2>&1 &
    program_pid=$!
    window_shown() { xdotool search --name "^${title//./\\.}\$" >/dev/null 2>&1; }
    for _ in $(seq 1 100); do
        window_shown && break
        sleep 0.1
    done
    check "window '$title' shown" window_shown
    window_shown || cat "$work/program.log"
    for _ in $(seq 1 30); do
        helper=$(readlink "/proc/$(pgrep -o -P "$program_pid")/exe") && break
        sleep 0.1
    done
    check "the drive helper runs from /usr/libexec (${helper:-none})" \
        test "$helper" = /usr/libexec/wakelatch/wakelatch-drive-helper
    kill -TERM "$program_pid"
    wait "$program_pid"
    status=$?
    program_pid=""
    check "SIGTERM ends the installed program with status 0 (status $status)" test "$status" -eq 0
    check "the autostart entry runs /usr/bin/wakelatch" \
        grep -qx 'Exec="/usr/bin/wakelatch"' "$XDG_CONFIG_HOME/autostart/Wakelatch.desktop"

    apt_get remove wakelatch >/dev/null 2>&1
    check "removed with apt" test ! -e /usr/bin/wakelatch
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
if [ ${#skips[@]} -gt 0 ]; then
    [ -n "${WAKELATCH_REQUIRE_INTEGRATION:-}" ] && { echo "required, but skipped: ${skips[*]}"; exit 1; }
    exit 77
fi
echo "all passed"
