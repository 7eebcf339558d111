#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Packs this build as `make deb` does, twice, and checks the package: lintian,
# the unpacked launcher, metainfo and game. Every wait is bounded.
# Usage: tests/package/check.sh BUILD_DIR VERSION
set -euo pipefail
build=$(realpath "$1") version=$2 app=io.github.quotello.Quotello
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for packing in 1 2; do
    cpack --config "$build/CPackConfig.cmake" -B "$work/$packing" >"$work/cpack.log" || fail "cpack: $(cat "$work/cpack.log")"
done
deb=$work/1/quotello_${version}_$(dpkg --print-architecture).deb
cmp -s "$deb" "$work/2/${deb##*/}" || fail "two packings of the same build differ"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6 (>=' || fail "Depends lacks the libraries the game links to"
[[ $(dpkg-deb -I "$deb" conffiles) == $'/etc/xdg/Quotello/fravis.txt\n/etc/xdg/Quotello/nfravis.txt' ]] ||
    fail "the machine's record files are not configuration files"
lintian --fail-on error,warning -EIL +pedantic "$deb" || fail "lintian"

dpkg -x "$deb" "$work/root"
usr=$work/root/usr desktop=$work/root/usr/share/applications/$app.desktop
for size in 16x16 32x32 48x48 64x64 128x128 scalable; do
    compgen -G "$usr/share/icons/hicolor/$size/apps/$app.*" >/dev/null || fail "no $size icon"
done
desktop-file-validate "$desktop" || fail "launcher entry does not validate"
[[ $(grep -c '^Comment=Compute\|^GenericName=Fractions' "$desktop") == 2 ]] || fail "the launcher's plain keys are not English"
# Hardened as far as Debian 12 allows: its C start files carry no control-flow note, so every compile
# unit's flags are read instead; fortification would be judged by which libc calls happen to be made.
hardening-check --nocfprotection --nofortify "$usr/games/quotello" || fail "hardening"
readelf --debug-dump=info "$build/quotello" | grep DW_AT_producer | grep -v -- '-fcf-protection.*-fstack-clash-protection' &&
    fail "compiled without control-flow or stack-clash protection"
grep -qx "Exec=/usr/games/quotello" "$desktop" && grep -qx "Icon=$app" "$desktop" && grep -qx "StartupWMClass=Quotello" \
    "$desktop" || fail "launcher's Exec, Icon or StartupWMClass"
appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml" || fail "metainfo does not validate"
zgrep -q "^quotello ($version) " "$usr/share/doc/quotello/changelog.gz" &&
    grep -q "<release version=\"$version\"" "$usr/share/metainfo/$app.metainfo.xml" || fail "changelog or metainfo behind"

# The unpacked game, up to its name prompt read as a screen reader reads it.
dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" \
    /usr/bin/python3 "$(dirname "$0")/../realwindow/play.py" --prompt "$usr/games/quotello" || fail "the unpacked game"
echo "package $version: contents, Depends, lintian, launcher, metainfo and the name prompt are right"
