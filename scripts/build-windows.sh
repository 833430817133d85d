#!/usr/bin/env bash
# Builds the Windows program (preset windows, folder build-windows/) and packages it: the installer
# Wakelatch-<version>-setup.exe and the portable Wakelatch-<version>-portable.zip, both in build-windows/dist/.
# Installs mingw-w64, NSIS and the icon tools when missing. The packaged program is the CMake target named by
# WAKELATCH_WINDOWS_PROGRAM (default Wakelatch); without that target the build runs and packaging is skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

cmake --preset windows >/dev/null
# The machine is shared: two jobs unless told otherwise.
jobs=${WAKELATCH_JOBS:-2}
if ! cmake --build --preset windows -j "$jobs" >build-windows/build.log 2>&1; then
    tail -n 60 build-windows/build.log
    echo "Windows build: FAILED (build-windows/build.log)"
    exit 1
fi
rm -rf build-windows/dist
if ! cmake --build --preset windows -j "$jobs" --target wakelatch_dist >build-windows/dist.log 2>&1; then
    tail -n 40 build-windows/dist.log
    echo "Windows packages: FAILED (build-windows/dist.log)"
    exit 1
fi
grep -E '^Packaging' build-windows/dist.log || true
if compgen -G 'build-windows/dist/*' >/dev/null; then
    echo "Windows packages in build-windows/dist:"
    ls -l build-windows/dist
else
    echo "No Windows packages made (see above)."
fi
