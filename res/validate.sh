#!/usr/bin/env bash
# Checks the desktop integration files and the resource list: the desktop entry and the AppStream
# metainfo, as a build made them in BUILD/res with the application id APP_ID, pass their
# validators, the MIME package compiles and gives "*.zfm" its type, and every picture the editor
# and the install expect is present at its size.
#   res/validate.sh BUILD/res APP_ID
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILD/res APP_ID" >&2; exit 2; }
made=$(cd "$1" && pwd)
id=$2
cd "$(dirname "$0")"
failed=0
fail() {
    echo "res/validate: $*" >&2
    failed=1
}

desktop-file-validate "$made/$id.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net --pedantic "$made/$id.metainfo.xml" >/dev/null ||
    fail "the metainfo is not valid (run: appstreamcli validate --no-net $made/$id.metainfo.xml)"

mime=$(mktemp -d)
trap 'rm -rf "$mime"' EXIT
mkdir -p "$mime/mime/packages"
cp zeftool.mime.xml "$mime/mime/packages/"
if ! messages=$(XDG_DATA_HOME=$mime update-mime-database "$mime/mime" 2>&1) ||
    [ -n "$messages" ]; then
    fail "the MIME package does not compile: $messages"
elif ! grep -qx '50:application/x-zeftool-model:\*\.zfm' "$mime/mime/globs2"; then
    fail "the MIME package does not give *.zfm the type application/x-zeftool-model"
fi
grep -qx 'MimeType=application/x-zeftool-model;' "$made/$id.desktop" ||
    fail "the desktop entry does not open application/x-zeftool-model"

# The width and height of a PNG, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'; }
expect_png() {
    if [ ! -f "$1" ]; then
        fail "missing $1"
    elif [ "$(png_size "$1")" != "$2" ]; then
        fail "$1 is $(png_size "$1"), not $2"
    fi
}
for size in 16 22 24 32 48 64 128 256; do
    expect_png "icons/hicolor/${size}x${size}/apps/zeftool.png" "${size}x${size}"
    expect_png "icons/hicolor/${size}x${size}/mimetypes/application-x-zeftool-model.png" \
        "${size}x${size}"
done
for cursor in range-cross range-plus range-minus; do
    expect_png "cursors/$cursor.png" 32x32
    expect_png "cursors/$cursor@2x.png" 64x64
    grep -q "alias=\"$cursor.png\"" zeftool.qrc || fail "zeftool.qrc lacks the cursor $cursor"
done
for name in new-model open save-as save export-gif export-bmp undo redo tool-line tool-curve \
    tool-rectangle tool-ellipse tool-filled-rectangle tool-filled-ellipse remove-last-line \
    tool-range select-all deselect invert-selection move scale delete-selection straighten vtr \
    shaking properties settings about; do
    grep -q 'viewBox="0 0 16 15"' "toolbar/$name.svg" 2>/dev/null ||
        fail "toolbar/$name.svg is missing or not drawn on the 16 x 15 grid"
    grep -q "alias=\"$name.svg\">toolbar/$name.svg<" zeftool.qrc ||
        fail "zeftool.qrc lacks the toolbar picture $name"
done
grep -o '>[^<]*</file>' zeftool.qrc | sed 's/^>//; s/<\/file>$//' | while read -r file; do
    [ -f "$file" ] || { echo "res/validate: zeftool.qrc names a missing file $file" >&2; exit 1; }
done || failed=1

exit "$failed"
