#!/usr/bin/env bash
# Renders the program's SVG pictures with the SVG engine the editor itself uses.
#   res/render.sh icons          remakes the PNG icons under res/icons/hicolor from the two SVGs
#   res/render.sh sheet OUT.png  writes a review sheet of the 28 toolbar pictures at 1x and 2x
# Needs a C++ compiler, pkg-config and Qt 6 with its SVG module (scripts/setup installs them).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

tool_dir=$(mktemp -d)
trap 'rm -rf "$tool_dir"' EXIT
# shellcheck disable=SC2046  # pkg-config prints several separate flags
c++ -std=c++20 -O1 -fPIC "$here/tools/render_svg.cpp" -o "$tool_dir/render_svg" \
    $(pkg-config --cflags --libs Qt6Svg Qt6Gui)
render() { QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tool_dir "$tool_dir/render_svg" "$@"; }

case "${1:-}" in
icons)
    for size in 16 22 24 32 48 64 128 256; do
        dir=$here/icons/hicolor/${size}x${size}
        mkdir -p "$dir/apps" "$dir/mimetypes"
        render "$here/icons/zeftool.svg" "$dir/apps/zeftool.png" "$size" "$size"
        render "$here/icons/zeftool-model.svg" \
            "$dir/mimetypes/application-x-zeftool-model.png" "$size" "$size"
    done
    ;;
sheet)
    [ $# -eq 2 ] || { echo "usage: $0 sheet OUT.png" >&2; exit 2; }
    names=(new-model open save-as save export-gif export-bmp undo redo
        tool-line tool-curve tool-rectangle tool-ellipse tool-filled-rectangle
        tool-filled-ellipse remove-last-line tool-range select-all deselect invert-selection
        move scale delete-selection straighten vtr shaking properties settings about)
    pictures=()
    for name in "${names[@]}"; do pictures+=("$here/toolbar/$name.svg"); done
    render --sheet "$2" "${pictures[@]}"
    ;;
*)
    echo "usage: $0 icons | sheet OUT.png" >&2
    exit 2
    ;;
esac
