#!/usr/bin/env bash
# Each Windows program given must be self-contained: the DLLs it imports are the system's own, never the
# compiler's run-time (libstdc++, libgcc, winpthread) that a user would not have.
set -euo pipefail
system='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comctl32|comdlg32|ole32|oleaut32|mpr|msvcrt|ws2_32|uxtheme|version|hhctrl\.ocx|api-ms-win-[a-z0-9-]+)(\.dll)?$'
status=0
for program in "$@"; do
    imports=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
    [ -n "$imports" ] || { echo "$program: no import table found"; status=1; continue; }
    while read -r dll; do
        if ! grep -Eqi "$system" <<<"$dll"; then
            echo "$program imports $dll, which is not a system DLL"
            status=1
        fi
    done <<<"$imports"
    echo "$(basename "$program"): $(tr '\n' ' ' <<<"$imports")"
done
exit $status
