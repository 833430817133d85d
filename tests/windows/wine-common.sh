# Shared by the shell tests of the Windows program under Wine; sourced, not run.
wine=/usr/lib/wine/wine64

# skip <reason>: exit 77, or fail where the run insists on its facilities.
skip() {
    if [ -n "${WAKELATCH_REQUIRE_INTEGRATION:-}" ]; then
        echo "FAILED (WAKELATCH_REQUIRE_INTEGRATION is set): $*"
        exit 1
    fi
    echo "SKIPPED: $*"
    exit 77
}
quiet() { "$@" </dev/null >/dev/null 2>&1; }
w() { "$wine" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# within SECONDS COMMAND...: polls every 0.1 s. Expansions in an eval'd condition are quoted, so that each
# poll makes them anew.
within() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
# reg_value KEY NAME: the value's data as reg query shows it; fails when the key or value is missing.
reg_value() {
    w reg query "$1" /v "$2" | awk -v name="$2" '$1 == name { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print; found = 1 } END { exit !found }'
}
# reg_import LINE...: one registry import of these REGEDIT4 lines (each wine call costs a second), through
# the caller's $work folder.
reg_import() {
    { printf 'REGEDIT4\n\n'; printf '%s\n' "$@"; } >"$work/import.reg"
    w reg import "$work/import.reg" >/dev/null
}
# The program's main window, shown: the last step of its start-up, after which it runs its message loop.
title='Wakelatch Version 1.0.0'
main_visible() { xdotool search --onlyvisible --name "^${title//./\\.}\$" >/dev/null 2>&1; }
