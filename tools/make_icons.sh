#!/usr/bin/env bash
# Draws the application icon and the seven tool-bar icons into resources/ (ImageMagick) and the
# desktop icons into packaging/ (rsvg-convert).
set -euo pipefail
out="$(dirname "$0")/../resources"
# icon DRAWING... FILE.png: the 20 x 20 tool-bar icon and FILE@2x.png, the same drawing at
# 40 x 40 for screens at 200 % (Qt picks it by its name).
icon() {
  local file="${@: -1}" drawing=("${@:1:$#-1}")
  convert -size 20x20 xc:none "${drawing[@]}" "$file"
  convert -size 40x40 xc:none -affine 2,0,0,2,0,0 "${drawing[@]}" "${file%.png}@2x.png"
}
icon -fill '#3a6ea5' -draw 'rectangle 2,2 17,17' -fill white -draw 'rectangle 5,2 14,8' \
     -fill '#cccccc' -draw 'rectangle 5,12 14,17' "$out/filesave.png"
icon -fill white -stroke '#333333' -draw 'circle 10,10 10,2' -draw 'line 10,10 10,5' \
     -draw 'line 10,10 14,12' "$out/date.png"
icon -fill '#c0392b' -stroke '#7b241c' -draw 'circle 10,7 10,2' -draw 'polygon 6,9 14,9 10,18' \
     -fill white -stroke none -draw 'circle 10,7 10,5' "$out/location.png"
icon -fill '#f4d03f' -stroke '#555555' -draw 'circle 10,10 10,2' -fill '#333333' -stroke none \
     -draw 'ellipse 10,10 8,8 90,270' "$out/phases.png"
icon -fill white -stroke '#333333' -draw 'rectangle 2,4 17,17' -fill '#c0392b' -draw 'rectangle 2,4 17,7' \
     -stroke '#777777' -draw 'line 6,10 6,16' -draw 'line 10,10 10,16' -draw 'line 14,10 14,16' "$out/calendar.png"
icon -fill '#f5b041' -draw 'circle 10,10 10,1' -fill '#1b2631' -draw 'circle 12,9 12,2' "$out/eclipses.png"
icon -fill '#e74c3c' -stroke '#922b21' -draw 'polygon 10,1 12,7 19,7 13,11 15,18 10,14 5,18 7,11 1,7 8,7' \
     "$out/holidays.png"
convert -size 64x64 xc:none -fill '#1b2a4a' -draw 'roundrectangle 0,0 63,63 10,10' \
     -fill '#f7dc6f' -draw 'circle 32,32 32,10' -fill '#1b2a4a' -draw 'circle 42,26 42,6' "$out/quorvel.png"
# The desktop icon: packaging/ holds the drawing (SVG); the 48 and 128 pixel PNGs are made from it.
packaging="$(dirname "$0")/../packaging"
for size in 48 128; do
  rsvg-convert -w $size -h $size "$packaging/org.quorvel.Quorvel.svg" -o "$packaging/org.quorvel.Quorvel-$size.png"
done
