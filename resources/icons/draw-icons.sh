#!/usr/bin/env bash
# Redraws the two program icons with ImageMagick: icon 128 (the application,
# also on Copy to Computer: a music player with an arrow carrying music off
# it) and icon 129 (the player alone, at the 32 pixels the title corner shows).
set -euo pipefail
cd "$(dirname "$0")"

convert -size 128x128 xc:none \
    -fill '#d9dde3' -stroke '#4a5160' -strokewidth 4 -draw "roundrectangle 26,6 102,122 14,14" \
    -fill '#3b6fb6' -stroke '#27466f' -strokewidth 2 -draw "roundrectangle 36,16 92,58 4,4" \
    -fill '#8fc1f0' -stroke none -draw "rectangle 40,20 88,30" \
    -fill '#ffffff' -stroke '#9aa1ab' -strokewidth 3 -draw "circle 64,90 64,65" \
    -fill '#c9ced6' -stroke '#9aa1ab' -strokewidth 2 -draw "circle 64,90 64,80" \
    -fill '#2f9e44' -stroke '#1d6b2c' -strokewidth 3 \
    -draw "polygon 84,70 108,70 108,92 120,92 96,120 72,92 84,92" \
    -depth 8 PNG32:icon128.png

convert -size 32x32 xc:none \
    -fill '#d9dde3' -stroke '#4a5160' -strokewidth 1.5 -draw "roundrectangle 7,1.5 24.5,30.5 4,4" \
    -fill '#3b6fb6' -stroke '#27466f' -strokewidth 1 -draw "rectangle 10,4.5 21.5,14" \
    -fill '#8fc1f0' -stroke none -draw "rectangle 11,5.5 20.5,7.5" \
    -fill '#ffffff' -stroke '#9aa1ab' -strokewidth 1 -draw "circle 16,22.5 16,16.5" \
    -fill '#c9ced6' -stroke '#9aa1ab' -strokewidth 1 -draw "circle 16,22.5 16,20" \
    -depth 8 PNG32:icon129.png

# The same drawing at twice the size, for screens at a 200% scale.
convert -size 64x64 xc:none \
    -fill '#d9dde3' -stroke '#4a5160' -strokewidth 3 -draw "roundrectangle 14,3 49,61 8,8" \
    -fill '#3b6fb6' -stroke '#27466f' -strokewidth 2 -draw "rectangle 20,9 43,28" \
    -fill '#8fc1f0' -stroke none -draw "rectangle 22,11 41,15" \
    -fill '#ffffff' -stroke '#9aa1ab' -strokewidth 2 -draw "circle 32,45 32,33" \
    -fill '#c9ced6' -stroke '#9aa1ab' -strokewidth 2 -draw "circle 32,45 32,40" \
    -depth 8 PNG32:icon129@2x.png

# The application icon for the desktop's icon theme (hicolor), at the smaller
# sizes menus, panels and file managers ask for, scaled down from icon 128,
# which is installed as the 128-pixel one.
for size in 16 22 24 32 48 64; do
    mkdir -p "hicolor/${size}x${size}"
    convert icon128.png -filter Lanczos -resize "${size}x${size}" -strip \
        -depth 8 "PNG32:hicolor/${size}x${size}/corvane.png"
done
