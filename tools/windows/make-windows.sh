#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Quotello for 64-bit Windows, cross-built on Debian (`make windows`): Qt once
# into a cache, the program and the tests in build-windows/, and in this
# folder a zip that runs from any folder and an installer for all users.
# With --test (`make windows-test`) it then runs the tests under Wine: the
# QtTest suites, and the installer and the installed game in an X server.
# Usage: tools/windows/make-windows.sh [--test]
set -euo pipefail
cd "$(dirname "$0")/../.."
testing=false; [[ ${1:-} == --test ]] && testing=true

# What the cross build needs (build-qt.sh: Debian's Qt source and its tools;
# the host's Qt for moc and rcc, and its Italian texts), and what the tests do.
packages="cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-common dpkg-dev perl xz-utils
          qt6-base-dev qt6-translations-l10n nsis zip"
$testing && packages+=" wine64 fonts-wine xvfb xauth openbox xdotool x11-utils imagemagick python3"
# shellcheck disable=SC2086  # one word a package
sh tools/setup.sh $packages

qt=${QT_WINDOWS_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/quotello/qt-6.4.2-windows-x64}
if [[ ! -f $qt/lib/cmake/Qt6/Qt6Config.cmake ]]; then
    echo "Building Qt for Windows into $qt (once; about 20 minutes)"
    tools/windows/build-qt.sh "$qt"
fi

# The emulator lets CTest run the tests' .exe files through Wine.
build="build-windows"
cmake -G Ninja -S . -B $build -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE=cmake/windows/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64 >/dev/null
cmake --build $build

version=$(sed -n 's/^project(Quotello VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=$build/stage/Quotello
rm -rf $build/stage
cmake --install $build --prefix $stage --strip >/dev/null
# Qt's libraries are installed as plain files, which --strip leaves alone.
find $stage -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

zip=quotello-$version-windows-x64.zip setup=quotello-$version-setup.exe
rm -f "$zip" "$setup"
(cd $build/stage && zip -q -r -9 -X "$OLDPWD/$zip" Quotello)

# The uninstaller removes what the installer put there, file by file, and so
# nothing a user added to the folder nor the folder they chose to install in.
# shellcheck disable=SC2016  # $INSTDIR is the installer's, not the shell's
{
    (cd $stage && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
    (cd $stage && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
} >$build/uninstall-files.nsh
makensis -V2 -NOCD -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DUNINSTALL_FILES="$build/uninstall-files.nsh" \
    -DSIZE_KB="$(du -sk $stage | cut -f1)" -DOUTFILE="$setup" packaging/windows/quotello.nsi

for f in "$zip" "$setup"; do
    printf '%s: %s bytes (%s)\n' "$f" "$(stat -c %s "$f")" "$(du -h "$f" | cut -f1)"
done
$testing || exit 0

# The suites under Wine find Qt's libraries, its Test one included, and its
# plugins in the Qt build, and the compilers' libraries in the stage. Wine
# hands no QT_ variable to a Windows program, only WINEQT_ ones, renamed:
# the suites' own QT_QPA_PLATFORM is lost, and their log would go to the
# debugger, as there is no console, but for QT_ASSUME_STDERR_HAS_CONSOLE.
# Wine neither offers to fetch Mono and Gecko nor touches this machine's menus.
export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
export WINEPATH="Z:${qt//\//\\}\\bin;Z:${PWD//\//\\}\\${stage//\//\\}"
export WINEQT_QPA_PLATFORM=offscreen WINEQT_ASSUME_STDERR_HAS_CONSOLE=1
[[ -f $WINEPREFIX/system.reg ]] || /usr/lib/wine/wine64 wineboot -i
cd $build && ctest --output-on-failure
