#!/usr/bin/env bash
# Installs the built game into a scratch prefix and checks the tree a desktop
# relies on: the program, a valid launcher entry, valid software-centre data
# and the icon in every size.
set -euo pipefail

build_dir=$1
app_id=io.github.quotello.Quotello
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" > /dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$prefix/bin/quotello" ] || fail "the program is not installed"

desktop="$prefix/share/applications/$app_id.desktop"
[ -f "$desktop" ] || fail "no launcher entry"
desktop-file-validate "$desktop" || fail "launcher entry does not validate"
grep -qx "Icon=$app_id" "$desktop" || fail "launcher entry names another icon"
grep -qx "Exec=quotello" "$desktop" || fail "launcher entry runs another program"

metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
[ -f "$metainfo" ] || fail "no metainfo"
appstreamcli validate --no-net "$metainfo" || fail "metainfo does not validate"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "metainfo does not launch the installed entry"

for size in 16 32 48 64 128; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [ -f "$icon" ] || fail "no ${size}px icon"
    actual=$(identify -format '%wx%h' "$icon")
    [ "$actual" = "${size}x${size}" ] || fail "the ${size}px icon is $actual"
done
svg="$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
[ -f "$svg" ] || fail "no scalable icon"
grep -q '<svg' "$svg" || fail "the scalable icon is not SVG"

echo "install tree is complete and valid"
