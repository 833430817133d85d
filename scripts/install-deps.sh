#!/usr/bin/env bash
# Installs the Debian packages Wakelatch needs that are missing.
# Usage: install-deps.sh build|test|package|coverage|windows
set -euo pipefail

build_packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev fp-utils
                librsvg2-bin)
package_packages=(dpkg-dev fakeroot file)
coverage_packages=(gcovr)
windows_packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 wine64-tools nsis googletest cmake ninja-build
                  librsvg2-bin imagemagick
                  fp-utils xvfb x11-utils xdotool trayer)
test_packages=(xvfb xauth xdotool x11-utils x11-apps trayer openbox imagemagick e2fsprogs mount sshfs openssh-server openssh-client
               python3 desktop-file-utils appstream lintian "${package_packages[@]}")

case "${1:-build}" in
    build) wanted=("${build_packages[@]}") ;;
    test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
    package) wanted=("${build_packages[@]}" "${package_packages[@]}") ;;
    coverage) wanted=("${build_packages[@]}" "${coverage_packages[@]}") ;;
    windows) wanted=("${windows_packages[@]}") ;;
    *) echo "usage: $0 build|test|package|coverage|windows" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
echo "Installing: ${missing[*]}"
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
