# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The program for Windows, cross-built with MinGW-w64 (`make windows`): a
# windowed program with its icon, version and manifest, and everything it
# needs beside it in one folder, which `cmake --install` fills and which the
# zip and the installer carry as it is.

set(QUOTELLO_APP_ID io.github.quotello.Quotello)
set(generated ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/windows/quotello.manifest.in ${generated}/quotello.manifest @ONLY)
configure_file(resources/windows/quotello.rc.in ${generated}/quotello.rc @ONLY)
target_sources(quotello PRIVATE ${generated}/quotello.rc)
set_target_properties(quotello PROPERTIES WIN32_EXECUTABLE ON)
target_link_libraries(quotello_core PRIVATE shell32 ole32) # the shared data folder

install(TARGETS quotello RUNTIME DESTINATION .)
# Qt, its platform and style plugins, and its Italian texts for the buttons
# of the boxes; a qt.conf tells Qt they are in this folder.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION plugins/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION plugins/styles)
find_file(QUOTELLO_QT_ITALIAN qtbase_it.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH REQUIRED)
install(FILES ${QUOTELLO_QT_ITALIAN} DESTINATION translations)
file(WRITE ${generated}/qt.conf "[Paths]\nPrefix = .\n")
install(FILES ${generated}/qt.conf DESTINATION .)

# The compilers' run-time libraries the program and Qt are linked with.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${path} DESTINATION .)
endforeach()

# The licences: the game's, Qt's, and the run-time libraries'.
install(FILES LICENSE DESTINATION licences RENAME Quotello-GPL-3.0-or-later.txt)
install(FILES packaging/windows/LICENCES.txt DESTINATION licences)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licences RENAME Qt-LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licences RENAME GCC-runtime-GPL-3.0.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licences RENAME MinGW-w64-copyright.txt)
