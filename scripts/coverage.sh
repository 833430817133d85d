#!/usr/bin/env bash
# Line coverage of src/ by the Linux tests: a Debug build with gcov counters (build-coverage/), the tests
# run (the fast ones; with --all the integration tests too, under a private Xvfb), and one line:
# "Line coverage of src/ (Linux build, <which> tests): N %". The full report per file goes to
# build-coverage/coverage.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh coverage
which=fast
[ "${1:-}" = --all ] && which=all

cmake --preset coverage >/dev/null
cmake --build --preset coverage -j2 >build-coverage/build.log 2>&1 || { tail -30 build-coverage/build.log; exit 1; }
find build-coverage -name '*.gcda' -delete

xvfb_pid=""
stop_xvfb() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap stop_xvfb EXIT
if [ "$which" = all ]; then
    scripts/install-deps.sh test
    xvfb=$(scripts/start-xvfb.sh) && export DISPLAY=${xvfb% *} && xvfb_pid=${xvfb#* }
    ctest --preset coverage >build-coverage/tests.log 2>&1 || true
else
    ctest --preset coverage -E '^integration\.' >build-coverage/tests.log 2>&1 || true
fi
grep -E 'tests passed|tests failed' build-coverage/tests.log

gcovr --root . --filter 'src/' --exclude-unreachable-branches --exclude-throw-branches build-coverage \
    --txt build-coverage/coverage.txt >/dev/null 2>&1 || gcovr --root . --filter 'src/' build-coverage --txt build-coverage/coverage.txt
percent=$(awk '/^TOTAL/ {print $NF}' build-coverage/coverage.txt)
echo "Line coverage of src/ (Linux build, $which tests): $percent"
