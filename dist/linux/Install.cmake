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
configure_file(${PELTO5_DIST_SOURCE}/changelog.in ${PELTO5_DIST_MADE}/changelog @ONLY)
execute_process(COMMAND date -u -d ${PELTO5_RELEASE_DATE} +%s
                OUTPUT_VARIABLE PELTO5_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PELTO5_DIST_SOURCE}/CPackProject.cmake.in ${PELTO5_DIST_MADE}/CPackProject.cmake
               @ONLY)
# Debian installs manual pages and changelogs compressed, without a name or
# time stamp in the gzip header so that every build gives the same bytes.
# Done here rather than at build time: installing needs nothing built but the
# editor.
foreach(page pelto5.1 changelog)
  execute_process(COMMAND gzip -9nc ${PELTO5_DIST_MADE}/${page}
                  OUTPUT_FILE ${PELTO5_DIST_MADE}/${page}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()

install(TARGETS pelto5 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package's) drops the compilers' notes as well, as
# Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/pelto5\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(FILES ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PELTO5_DIST_MADE}/${PELTO5_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PELTO5_DIST_MADE}/pelto5.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The icon drawn for each size by tools/artwork; software centres want 64 px and more.
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/res/icons/128-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${PELTO5_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
install(FILES ${PELTO5_DIST_MADE}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

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
# An editor of a game's data files, not a game: it lies in /usr/bin, where
# `cmake --install --prefix ~/.local` puts it on the user's PATH too, and
# takes Debian's section for editors, as the Tiled map editor does.
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PELTO5_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's display plugins are only recommended by its libraries; without them the
# window cannot open. The read-outs' narrow face comes with Liberation, the
# support page opens through xdg-open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
# Two packages of one commit are the same bytes.
set(CPACK_PROJECT_CONFIG_FILE ${PELTO5_DIST_MADE}/CPackProject.cmake)
include(CPack)
