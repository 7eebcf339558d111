#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Quotello needs to build, run and test, or the
# ones given as arguments (the Windows build's). Asks dpkg first, so a machine
# that already has everything installs nothing.
set -eu

PACKAGES="
cmake g++ make
qt6-base-dev qt6-qpa-plugins qt6-translations-l10n
fonts-dejavu-core fonts-liberation fonts-lato
xvfb xauth openbox xdotool x11-utils imagemagick weston xwayland qt6-wayland
desktop-file-utils appstream dpkg-dev lintian devscripts
dbus-daemon at-spi2-core gir1.2-atspi-2.0 python3-gi python3-pyatspi
clang-14 libclang-rt-14-dev
time strace libx11-dev libxcb-xkb-dev libxcb-xinput-dev pkg-config
"

[ $# -eq 0 ] || PACKAGES="$*"
missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing="$missing $p"
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
