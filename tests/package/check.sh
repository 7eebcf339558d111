#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Packs this build as `make deb` does and checks the package: what it holds,
# its Depends, lintian, the unpacked launcher and metainfo, and the unpacked
# game up to its name prompt. Every wait is bounded.
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
[[ $(dpkg-deb -f "$deb" Version Section) == "Version: $version"$'\n'"Section: games" ]] || fail "version or section"
depends=$(dpkg-deb -f "$deb" Depends)
for p in qt6-translations-l10n fonts-liberation fonts-lato fonts-dejavu-core libqt6gui6 libqt6widgets6; do
    [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
[[ $(dpkg-deb -I "$deb" conffiles) == $'/etc/xdg/Quotello/fravis.txt\n/etc/xdg/Quotello/nfravis.txt' ]] ||
    fail "the machine's record files are not configuration files"
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in games/quotello share/applications/$app.desktop share/metainfo/$app.metainfo.xml share/man/man6/quotello.6.gz \
         share/doc/quotello/{copyright,changelog.gz} share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128}/apps/$app.png \
         share/icons/hicolor/scalable/apps/$app.svg; do
    grep -qx "\./usr/$f" <<<"$files" || fail "the package lacks /usr/$f"
done
lintian --fail-on error,warning -EIL +pedantic "$deb" || fail "lintian"

dpkg -x "$deb" "$work/root"
usr=$work/root/usr desktop=$work/root/usr/share/applications/$app.desktop
desktop-file-validate "$desktop" || fail "launcher entry does not validate"
[[ $(grep -c '^Comment=Compute\|^GenericName=Fractions' "$desktop") == 2 ]] || fail "the launcher's plain keys are not English"
# Hardened as far as Debian 12 allows: control-flow and stack-clash
# protection are in every compile unit's flags, as no program linked on
# Debian 12 carries the control-flow note (its C start files have none);
# fortification is judged by which libc calls happen to be made.
hardening-check --nocfprotection --nofortify "$usr/games/quotello" || fail "hardening"
readelf --debug-dump=info "$build/quotello" | grep DW_AT_producer | grep -v -- '-fcf-protection.*-fstack-clash-protection' &&
    fail "compiled without control-flow or stack-clash protection"
grep -qx "Exec=/usr/games/quotello" "$desktop" && grep -qx "Icon=$app" "$desktop" && grep -qx "StartupWMClass=Quotello" \
    "$desktop" || fail "launcher's Exec, Icon or StartupWMClass"
appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml" || fail "metainfo does not validate"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$app.metainfo.xml" || fail "metainfo's release"
zgrep -q "^\.TH QUOTELLO 6 .*\"Quotello $version\"" "$usr/share/man/man6/quotello.6.gz" || fail "manual page's version"
zgrep -q "^quotello ($version) " "$usr/share/doc/quotello/changelog.gz" || fail "changelog's version"

# The unpacked game, up to its name prompt read as a screen reader reads it.
dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" \
    /usr/bin/python3 "$(dirname "$0")/../realwindow/play.py" --prompt "$usr/games/quotello" || fail "the unpacked game"
echo "package $version: contents, Depends, lintian, launcher, metainfo and the name prompt are right"
