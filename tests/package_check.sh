#!/usr/bin/env bash
# Makes the Debian package of the build in $1 and checks what apt-get needs to install it: the
# libraries' packages worked out from the programs, the run-time font, translations and SVG
# plugins, the Wayland platform and ffmpeg recommended, every file of the install under /usr with
# the copyright file and a changelog whose latest entry is the package's version; and, where
# lintian is installed, that it finds no error and no warning.
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
log=$(cpack -G DEB -B "$out" --config "$1/CPackConfig.cmake" 2>&1) || { echo "$log" >&2; exit 1; }
deb=$(echo "$out"/zeftool_*.deb)
fail() {
    echo "package_check: $*" >&2
    exit 1
}
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libgif7 libwebp7 libwebpmux3 fonts-nanum qt6-translations-l10n libqt6svg6; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = "qt6-wayland, ffmpeg" ] || fail "it recommends $recommends"
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/zeftool ./usr/bin/zefcli ./usr/share/man/man1/zefcli.1.gz \
    "./usr/share/applications/$2.desktop" "./usr/share/mime/packages/$2.xml" \
    ./usr/share/doc/zeftool/copyright ./usr/share/doc/zeftool/changelog.Debian.gz; do
    grep -qx -- "$file" <<<"$files" || fail "$file is not in the package"
done
if grep -v '^\./usr/' <<<"$files" | grep -qv '^\./$'; then
    fail "files outside /usr: $(grep -v '^\./usr/' <<<"$files")"
fi
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/zeftool/changelog.Debian.gz |
    gunzip >"$out/changelog"
latest=$(dpkg-parsechangelog -l "$out/changelog" -S Version)
version=$(dpkg-deb -f "$deb" Version)
[ "$latest" = "$version" ] || fail "the changelog's latest entry is $latest, the package $version"
if command -v lintian >/dev/null; then
    report=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $report"
fi
