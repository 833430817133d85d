#!/usr/bin/env bash
# Installs what is missing, builds Wakelatch and runs every test: first the Windows program's (cross-built,
# under Wine), then the Linux program's. The tests that need an X display get a private Xvfb, stopped
# again at the end. Under CI (CI=true) the integration tests may not skip: a missing facility there is a
# failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
if [ "${CI:-}" = true ]; then
    export WAKELATCH_REQUIRE_INTEGRATION=1
fi

summary=$(mktemp)
windows_status=0
scripts/test-windows.sh | tee "$summary" || windows_status=$?

scripts/build.sh

xvfb_pid=""
if xvfb=$(scripts/start-xvfb.sh); then
    export DISPLAY=${xvfb% *}
    xvfb_pid=${xvfb#* }
elif [ -n "${WAKELATCH_REQUIRE_INTEGRATION:-}" ]; then
    echo "Xvfb could not be started; the integration tests need it" >&2
    exit 1
fi
stop_xvfb() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap stop_xvfb EXIT

linux_status=0
ctest --preset default || linux_status=$?
echo
grep -E '^Windows (build|tests)' "$summary" || echo "Windows build and tests: no summary"
rm -f "$summary"
[ $windows_status -eq 0 ] && [ $linux_status -eq 0 ]
