#!/usr/bin/env bash
# Builds the Debian package of the Linux program: a Release build in build-package/ with Debian's
# hardening flags, then CPack. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package

# Debian's build flags (hardening included), taken on the first configure of build-package/.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

cmake --preset package >/dev/null
cmake --build --preset package -j2 >/dev/null
cpack --preset package >build-package/cpack.log 2>&1
package="$PWD/build-package/wakelatch_1.0.0_$(dpkg --print-architecture).deb"
[ -f "$package" ] || { cat build-package/cpack.log; echo "package.sh: no package made" >&2; exit 1; }
echo "$package"
