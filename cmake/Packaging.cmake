# `cpack -G DEB` in a Release build makes a Debian package of what `cmake --install` puts in
# place. The libraries' packages are worked out by dpkg-shlibdeps; the font the Korean texts are
# drawn in, Qt's Korean translations and the SVG plugins that draw the toolbar are loaded at run
# time, so they are named here. The
# desktop's caches of MIME types, entries and icons are refreshed by those packages' triggers.
set(CPACK_PACKAGE_NAME zeftool)
set(CPACK_PACKAGE_VENDOR "The ZefTool developers")
set(CPACK_PACKAGE_CONTACT "The ZefTool developers <zeftool@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for hand-drawn line animations that tremble")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "ZefTool draws line animations with the mouse, makes them tremble as if sketched by "
       "hand, replays them stroke by stroke and exports them as animated GIF or WebP pictures "
       "or as numbered BMP sequences. Its user interface is in Korean. zefcli describes, "
       "converts and exports the model files without a display.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/zeftool")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum, qt6-translations-l10n, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# MP4 and WebM exports run the ffmpeg program.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "ffmpeg")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
