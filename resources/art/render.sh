#!/usr/bin/env bash
# Renders splash.svg and about.svg (next to this script) to splash.bmp and about.bmp:
# 24-bit uncompressed Windows bitmaps on pure white, which the program cuts away as the window's surround.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick 6 (convert, identify).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for tool in rsvg-convert convert identify; do
    command -v "$tool" >/dev/null || { echo "render.sh: $tool is missing" >&2; exit 1; }
done

# render NAME WIDTH HEIGHT
render() {
    local name=$1 width=$2 height=$3
    local png="$work/$name.png" bmp="$here/$name.bmp"

    # The SVGs have a transparent background; render them as they are.
    rsvg-convert --width "$width" --height "$height" --format png --output "$png" "$here/$name.svg"

    # 1. Cap every colour at 94 % so that no visible pixel is white or near white (the program would
    #    cut a white pixel away, and near-white pixels at the outline would look like a light halo).
    # 2. Make the outline hard: a pixel at least half covered keeps the artwork's own colour, any other
    #    becomes surround. The edge pixels then carry no blend with white, so there is no fringe.
    # 3. Put the result on pure white, drop the alpha channel, turn any leftover near-white into white.
    # 4. Write a 24-bit uncompressed BMP (BMP3, TrueColor, no alpha).
    convert "$png" -alpha set \
        -channel RGB -evaluate Min 94% +channel \
        -channel A -threshold 50% +channel \
        -background white -alpha remove -alpha off \
        -fuzz 3% -fill white -opaque white +fuzz \
        -type TrueColor -compress None BMP3:"$bmp"

    # Checks: size, depth, no alpha, the top-left pixel white.
    local info corner
    info="$(identify -format '%m %wx%h %z-bit %[channels] %[colorspace]' "$bmp")"
    corner="$(convert "$bmp" -format '%[pixel:p{0,0}]' info:)"
    echo "$name.bmp: $info, pixel (0,0) = $corner"
    [[ "$info" == "BMP3 ${width}x${height} 8-bit srgb sRGB" || "$info" == "BMP ${width}x${height} 8-bit srgb sRGB" ]] \
        || { echo "render.sh: unexpected format of $name.bmp: $info" >&2; exit 1; }
    [[ "$corner" == "white" || "$corner" == "srgb(255,255,255)" ]] \
        || { echo "render.sh: pixel (0,0) of $name.bmp is not white: $corner" >&2; exit 1; }

    # Pixel counts: white (cut away), near white 250-254 (would be a halo or a hole), and white pixels
    # that the surround does not reach from the corner (enclosed gaps; they are cut away as well).
    local counts enclosed
    counts="$(convert "$bmp" -depth 8 txt:- | awk -F'[(),]' 'NR > 1 {
            r = $3 + 0; g = $4 + 0; b = $5 + 0
            if (r == 255 && g == 255 && b == 255) white++
            else if (r >= 250 && g >= 250 && b >= 250) near++
        } END { printf "%d white, %d near-white (250-254)", white, near }')"
    enclosed="$(convert "$bmp" -fill black -draw 'color 0,0 floodfill' -fill black +opaque white \
        -format '%[fx:round(mean*w*h)]' info:)"
    echo "$name.bmp: $counts, $enclosed white pixels not connected to the surround"
}

render splash 418 277
render about 510 345
