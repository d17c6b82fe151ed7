# Installation on a Linux desktop (freedesktop and Debian conventions) and the
# Debian package: `cmake --install build --prefix P`, `cd build && cpack -G DEB`.
# Included from the top level, where CPack and the install target belong.
include(GNUInstallDirs)

# Only the editor is installed: installing or packaging needs it built
# (tools/run.sh does), not the tests and benchmarks as well.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(PELTO5_HOMEPAGE "https://github.com/pelto5/pelto5")
# The ship file's type: text (INI-like), so that it wins over TeX's binary
# fonts, which share the *.gf glob, wherever the content is text.
set(PELTO5_SHIP_MIME_TYPE application/x-gf-ship)
set(PELTO5_RELEASE_DATE 2026-12-09)

# The packaging files, with the id, version and file type filled in.
set(PELTO5_DIST_MADE ${PROJECT_BINARY_DIR}/dist/linux)
set(PELTO5_DIST_SOURCE ${CMAKE_CURRENT_LIST_DIR})
configure_file(${PELTO5_DIST_SOURCE}/pelto5.desktop.in
               ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.desktop @ONLY)
configure_file(${PELTO5_DIST_SOURCE}/pelto5.metainfo.xml.in
               ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.metainfo.xml @ONLY)
configure_file(${PELTO5_DIST_SOURCE}/pelto5-mime.xml.in
               ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.xml @ONLY)
configure_file(${PELTO5_DIST_SOURCE}/pelto5.1.in ${PELTO5_DIST_MADE}/pelto5.1 @ONLY)

install(TARGETS pelto5 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PELTO5_DIST_MADE}/pelto5.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(size 16 32 48)
  install(FILES ${PROJECT_SOURCE_DIR}/res/icons/128-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${PELTO5_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

set(CPACK_PACKAGE_NAME pelto5)
set(CPACK_PACKAGE_VENDOR "The Pelto5 developers")
set(CPACK_PACKAGE_CONTACT "The Pelto5 developers <pelto5@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hardpoint editor for a space-combat game's ships")
set(CPACK_PACKAGE_DESCRIPTION "\
Pelto5 shows a ship's two pictures with a marker for each of its 56 hardpoints,
lets you carry the markers to their places and saves the positions back into
the ship's .gf file, keeping the old file as a numbered backup.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PELTO5_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's display plugins are only recommended by its libraries; without them the
# window cannot open. The read-outs' narrow face comes with Liberation, the
# support page opens through xdg-open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
include(CPack)
