# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Desktop integration: the launcher entry, the software-centre description and
# the icon in the sizes desktops look for.
set(QUOTELLO_APP_ID io.github.quotello.Quotello)
# The launcher runs the program by the path it is installed at, known only
# when installing (cmake --install --prefix, or the package's /usr): desktops
# hide entries whose program is not on their PATH, and .../games rarely is.
set(launcher ${CMAKE_BINARY_DIR}/generated/${QUOTELLO_APP_ID}.desktop)
install(CODE "
    get_filename_component(prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
    set(QUOTELLO_EXEC \"\${prefix}/${QUOTELLO_INSTALL_GAMESDIR}/quotello\")
    configure_file(\"${CMAKE_SOURCE_DIR}/resources/desktop/${QUOTELLO_APP_ID}.desktop.in\" \"${launcher}\" @ONLY)
    file(INSTALL \"${launcher}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")")
configure_file(resources/desktop/${QUOTELLO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/generated/${QUOTELLO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/${QUOTELLO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128)
    install(FILES resources/icons/hicolor/${size}x${size}/apps/quotello.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUOTELLO_APP_ID}.png)
endforeach()
install(FILES resources/icons/hicolor/scalable/apps/quotello.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUOTELLO_APP_ID}.svg)
