# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package, made by CPack from this build's install tree (`make deb`).
# The version comes from project() alone: the package, the changelog, the
# manual pages, the metainfo and the program's credit line all take it from
# there. A new release changes project() and the date below, and adds its
# entry on top of packaging/changelog.in (the top entry takes the version).

set(QUOTELLO_RELEASE_DATE 2026-12-06)
set(QUOTELLO_MAINTAINER "The Quotello developers <quotello@example.org>")
set(QUOTELLO_HOMEPAGE https://github.com/quotello/quotello)

set(generated ${CMAKE_BINARY_DIR}/generated)
execute_process(COMMAND date -u -R -d "${QUOTELLO_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE QUOTELLO_RELEASE_DATE_RFC5322
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# Every file in the package carries the time of the changelog's top entry,
# as Debian's tools do: two packings of the same build are the same bytes.
execute_process(COMMAND date -u +%s -d "${QUOTELLO_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE QUOTELLO_SOURCE_DATE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${generated}/CPackReproducible.cmake "set(ENV{SOURCE_DATE_EPOCH} ${QUOTELLO_SOURCE_DATE_EPOCH})\n")
set(CPACK_PROJECT_CONFIG_FILE ${generated}/CPackReproducible.cmake)

# Debian ships the changelog and the manual pages compressed, and without the
# time of the build inside (gzip -n), so that two builds give the same bytes.
set(docs changelog man/quotello.6 man/it/quotello.6)
configure_file(packaging/changelog.in ${generated}/changelog @ONLY)
configure_file(packaging/quotello.6.in ${generated}/man/quotello.6 @ONLY)
configure_file(packaging/quotello.it.6.in ${generated}/man/it/quotello.6 @ONLY)
list(TRANSFORM docs PREPEND ${generated}/ OUTPUT_VARIABLE plain)
list(TRANSFORM plain APPEND .gz OUTPUT_VARIABLE compressed)
add_custom_command(OUTPUT ${compressed} COMMAND gzip -9nkf ${plain} DEPENDS ${plain}
                   COMMENT "Compressing the changelog and the manual pages")
add_custom_target(quotello_docs ALL DEPENDS ${compressed})

# Stripped as Debian's own tools strip (CMake's plain strip keeps the
# compilers' .comment), when installing stripped as CPack does.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUOTELLO_INSTALL_GAMESDIR}/quotello\"
        COMMAND_ERROR_IS_FATAL ANY)
endif()")

install(FILES ${generated}/man/quotello.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${generated}/man/it/quotello.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/it/man6)
install(FILES ${generated}/changelog.gz packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quotello)

# The record an administrator sets for the whole machine: shipped empty, as
# configuration files, so that an upgrade keeps the teacher's edit.
install(FILES packaging/fravis.txt packaging/nfravis.txt DESTINATION /etc/xdg/Quotello)
file(WRITE ${generated}/conffiles "/etc/xdg/Quotello/fravis.txt\n/etc/xdg/Quotello/nfravis.txt\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${generated}/conffiles)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quotello)
set(CPACK_PACKAGE_VENDOR "The Quotello developers")
set(CPACK_PACKAGE_CONTACT ${QUOTELLO_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL ${QUOTELLO_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fractions of a whole number against the clock, in Italian")
set(CPACK_PACKAGE_DESCRIPTION [[
Quotello drills one skill a child needs at school: computing a fraction of
a whole number, such as three eighths of 32. Each exercise is pictured as a
segment cut into equal pieces, the first ones coloured.

The player types a name and has fifteen minutes to solve as many exercises
as possible. Right and wrong answers are counted, and a record to beat is
shown, which a teacher sets in two small text files (see quotello(6)).

The game's window and messages are in Italian.]])
# quotello_<version>_<arch>.deb: a native package, so no Debian revision.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the game loads without linking to it: Qt's Italian texts for the
# buttons of its boxes, and the fonts it puts in place of the Windows ones.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-translations-l10n, fonts-liberation, fonts-lato, fonts-dejavu-core")
# The install runs with the real prefix (/usr) under a staging DESTDIR, so the
# launcher gets the path the program has on the machine it is installed on.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
