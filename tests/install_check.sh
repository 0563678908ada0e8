#!/usr/bin/env bash
# Installs the build in $1 to a temporary prefix and checks that it holds both programs and
# desktop files that the desktop's own validators accept.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
for file in bin/zeftool bin/zefcli \
    share/applications/org.example.zeftool.desktop \
    share/mime/packages/org.example.zeftool.xml \
    share/metainfo/org.example.zeftool.metainfo.xml \
    share/icons/hicolor/48x48/apps/org.example.zeftool.png \
    share/icons/hicolor/scalable/apps/org.example.zeftool.svg \
    share/icons/hicolor/48x48/mimetypes/application-x-zeftool-model.png \
    share/icons/hicolor/scalable/mimetypes/application-x-zeftool-model.svg; do
    [ -e "$prefix/$file" ] || { echo "install_check: $file is not installed" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/org.example.zeftool.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.zeftool.metainfo.xml"
