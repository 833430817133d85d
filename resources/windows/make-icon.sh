#!/usr/bin/env bash
# Makes a Windows icon of several sizes from an SVG: each size rendered on its own (sharper than one picture
# scaled down), then joined into one .ico with 32-bit colour and alpha.
# Usage: make-icon.sh OUT.ico SOURCE.svg SIZE...   Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 OUT.ico SOURCE.svg SIZE..." >&2; exit 2; }
out=$1 svg=$2
shift 2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

pictures=()
for size in "$@"; do
    rsvg-convert --width "$size" --height "$size" --format png --output "$work/$size.png" "$svg"
    pictures+=("$work/$size.png")
done
# No date chunks: the same SVG gives the same icon.
convert "${pictures[@]}" -define png:exclude-chunks=date,time "$work/icon.ico"
mv "$work/icon.ico" "$out"
