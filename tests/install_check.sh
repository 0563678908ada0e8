#!/usr/bin/env bash
# Installs the build in $1 to a temporary prefix and checks that it holds both programs, their
# manual pages and desktop files, named by the application id $2, that the desktop's own
# validators accept.
set -euo pipefail
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
for file in bin/zeftool bin/zefcli share/man/man1/zeftool.1.gz share/man/man1/zefcli.1.gz \
    "share/applications/$id.desktop" \
    "share/mime/packages/$id.xml" \
    "share/metainfo/$id.metainfo.xml" \
    "share/icons/hicolor/48x48/apps/$id.png" \
    "share/icons/hicolor/scalable/apps/$id.svg" \
    share/icons/hicolor/48x48/mimetypes/application-x-zeftool-model.png \
    share/icons/hicolor/scalable/mimetypes/application-x-zeftool-model.svg; do
    [ -e "$prefix/$file" ] || { echo "install_check: $file is not installed" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
