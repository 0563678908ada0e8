# `cpack -G DEB` in a Release build makes a Debian package of what `cmake --install` puts in
# place, with the copyright file and the changelog Debian asks of every package. The libraries'
# packages are worked out by dpkg-shlibdeps; the font the Korean texts are drawn in, Qt's Korean
# translations and the SVG plugins that draw the toolbar are loaded at run time, so they are
# named here. The Wayland platform and the ffmpeg program, through which the editor exports
# videos, are recommended. The desktop's caches of MIME types, entries and icons are refreshed
# by those packages' triggers.
set(CPACK_PACKAGE_NAME zeftool)
set(CPACK_PACKAGE_VENDOR "The ZefTool developers")
set(CPACK_PACKAGE_CONTACT "The ZefTool developers <zeftool@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for hand-drawn line animations that tremble")
# Lines of at most 80 characters, as the package tools show them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "ZefTool draws line animations with the mouse, makes them tremble as if sketched\n"
       "by hand, replays them stroke by stroke and exports them as animated GIF or WebP\n"
       "pictures or as numbered BMP sequences. Its user interface is in Korean.\n"
       "zefcli describes, converts and exports the model files without a display.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/zeftool")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first packaging of each version; raise it when only the packaging changes.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum, qt6-translations-l10n, libqt6svg6")
# MP4 and WebM exports run the ffmpeg program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, ffmpeg")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The copyright file in Debian's machine-readable format, made from LICENSE: its copyright line,
# then its permission notice as the licence text, each line indented and blank lines as " .".
# Debian's name for the MIT licence is Expat.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${licence}")
set(zef_copyright "${CMAKE_MATCH_1}")
string(FIND "${licence}" "Permission" notice_start)
string(SUBSTRING "${licence}" ${notice_start} -1 zef_licence)
string(STRIP "${zef_licence}" zef_licence)
string(REPLACE "\n" "\n " zef_licence " ${zef_licence}")
string(REPLACE "\n \n" "\n .\n" zef_licence "${zef_licence}")
set(debian_dir ${PROJECT_BINARY_DIR}/debian)
configure_file(cmake/debian/copyright.in ${debian_dir}/copyright @ONLY)

# The changelog compressed without a time stamp, so the package is the same on every build.
set(changelog ${debian_dir}/changelog.Debian.gz)
add_custom_command(OUTPUT ${changelog}
                   COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/cmake/debian/changelog > ${changelog}
                   DEPENDS cmake/debian/changelog VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${changelog})

# These belong to the package only: an install to a prefix leaves them out.
install(FILES ${debian_dir}/copyright ${changelog}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME}
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES cmake/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME ${CPACK_PACKAGE_NAME} COMPONENT debian EXCLUDE_FROM_ALL)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/;${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")

include(CPack)
