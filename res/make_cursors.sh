#!/usr/bin/env bash
# Draws the range tool's cursors: a cross, a cross with a small plus (add to the selection) and a
# cross with a small minus (take from it), black with a white outline, 17 pixels across with its
# centre, the hot spot, at 15,15.
# Each is drawn on a 32 x 32 pixel grid and again at twice the size for high-density screens.
# Needs ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/cursors"

# A horizontal or vertical bar on the 32 x 32 grid given as "x0 y0 x1 y1" (inclusive), with its
# outline `grow` cells wider on every side, in pixels of a grid `scale` times as fine.
bar() {
    local scale=$1 grow=$2 x0 y0 x1 y1
    read -r x0 y0 x1 y1 <<<"$3"
    echo "rectangle $(((x0 - grow) * scale)),$(((y0 - grow) * scale)) $(((x1 + grow + 1) * scale - 1)),$(((y1 + grow + 1) * scale - 1))"
}

cross=("15 7 15 23" "7 15 23 15")
plus=("22 19 22 25" "19 22 25 22")
minus=("19 22 25 22")

draw() {
    local name=$1 scale=$2 size=$((32 * $2))
    shift 2
    local args=(-size "${size}x${size}" xc:none -fill white)
    local bars=("$@")
    for b in "${bars[@]}"; do args+=(-draw "$(bar "$scale" 1 "$b")"); done
    args+=(-fill black)
    for b in "${bars[@]}"; do args+=(-draw "$(bar "$scale" 0 "$b")"); done
    local out=$name.png
    [ "$scale" -eq 1 ] || out=$name@${scale}x.png
    convert "${args[@]}" -strip -define png:exclude-chunks=date,time "PNG32:$out"
}

for scale in 1 2; do
    draw range-cross "$scale" "${cross[@]}"
    draw range-plus "$scale" "${cross[@]}" "${plus[@]}"
    draw range-minus "$scale" "${cross[@]}" "${minus[@]}"
done
