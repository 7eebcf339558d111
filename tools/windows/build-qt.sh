#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Qt for 64-bit Windows from Debian's own source of Qt (the version the
# Linux build uses, with Debian's patches), once: just what the game needs
# (Core, Gui, Widgets, Test; the windows and offscreen platforms; the
# windowsvista style), installed into the folder given.
# Usage: tools/windows/build-qt.sh DIR
set -euo pipefail
dir=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
[[ -f $dir/lib/cmake/Qt6/Qt6Config.cmake ]] && exit 0

SUDO=; [[ $(id -u) -eq 0 ]] || SUDO=sudo
# apt-get source needs a deb-src entry for the release this machine runs.
if ! apt-get source --print-uris -qq qt6-base >/dev/null 2>&1; then
    . /etc/os-release
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$VERSION_CODENAME" | $SUDO tee /etc/apt/sources.list.d/quotello-deb-src.sources >/dev/null
    $SUDO apt-get update -q
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quotello-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
(cd "$work" && apt-get source -q "qt6-base=$version" >source.log 2>&1) || { cat "$work/source.log"; exit 1; }
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')

# OpenGL off for good needs both: the feature and the input, else dynamic GL
# stays on. Debian's source has no wintab, hence no tablet events.
cmake -G Ninja -S "$src" -B "$work/build" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/windows/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$dir" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
    >"$work/configure.log" 2>&1 || { tail -50 "$work/configure.log"; exit 1; }
cmake --build "$work/build" --parallel >"$work/build.log" 2>&1 || { tail -50 "$work/build.log"; exit 1; }
cmake --install "$work/build" >/dev/null
