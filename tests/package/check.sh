#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Packs this build as `make deb` does and checks the package: what it holds,
# its Depends, lintian, the unpacked launcher and metainfo, and the unpacked
# game started under Xvfb up to its name prompt. Every wait is bounded.
# Usage: tests/package/check.sh BUILD_DIR VERSION
set -euo pipefail
build=$(realpath "$1") version=$2 app=io.github.quotello.Quotello
work=$(mktemp -d) pids=()
source "$(dirname "$0")/../../tools/processes.sh"
trap 'for p in "${pids[@]}"; do stop "$p"; done; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || fail "cpack: $(cat "$work/cpack.log")"
deb=$work/quotello_${version}_$(dpkg --print-architecture).deb
[[ $(dpkg-deb -f "$deb" Version Section) == "Version: $version"$'\n'"Section: games" ]] || fail "version or section"
depends=$(dpkg-deb -f "$deb" Depends)
for p in qt6-translations-l10n fonts-liberation fonts-lato fonts-dejavu-core libqt6gui6 libqt6widgets6; do
    [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
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
grep -qx "Exec=/usr/games/quotello" "$desktop" && grep -qx "Icon=$app" "$desktop" || fail "launcher's Exec or Icon"
appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml" || fail "metainfo does not validate"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$app.metainfo.xml" || fail "metainfo's release"
zgrep -q "^\.TH QUOTELLO 6 .*\"Quotello $version\"" "$usr/share/man/man6/quotello.6.gz" || fail "manual page's version"
zgrep -q "^quotello ($version) " "$usr/share/doc/quotello/changelog.gz" || fail "changelog's version"

# started FILE COMMAND...: runs a server that writes where it listens to fd 3.
started() {
    local file=$1; shift
    "$@" 3>"$file" >/dev/null 2>&1 & pids+=($!)
    for _ in $(seq 100); do [[ -s $file ]] && return; sleep 0.1; done
    fail "$1 did not start"
}
started "$work/display" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp
started "$work/bus" dbus-daemon --session --nofork --print-address=3
export DISPLAY=:$(head -1 "$work/display") DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
mkdir -p "$work/home" && mkdir -m 700 "$work/run"
HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_DATA_HOME=$work/home/data LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$usr/games/quotello" >"$work/game.log" 2>&1 & pids+=($!)
window=$(timeout 30 xdotool search --sync --name '^Quotello$' | head -1) || fail "no window titled Quotello"
[[ $(xprop -id "$window" WM_CLASS) == *", \"$(sed -n 's/^StartupWMClass=//p' "$desktop")\"" ]] \
    || fail "WM_CLASS $(xprop -id "$window" WM_CLASS) is not the launcher's StartupWMClass"
# What the window holds, read as a screen reader reads it.
/usr/bin/python3 - <<'EOF' || fail "the window titled Quotello does not ask \"Come ti chiami?\""
import time, gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib
def kids(node): return [node.get_child_at_index(i) for i in range(node.get_child_count())]
def tree(node): return [node] + [n for kid in kids(node) for n in tree(kid)]
deadline = time.monotonic() + 30
while time.monotonic() < deadline:
    try:
        if any(top.get_name() == 'Quotello' and any(n.get_name() == 'Come ti chiami?' for n in tree(top))
               for app in kids(Atspi.get_desktop(0)) for top in kids(app)): raise SystemExit(0)
    except GLib.Error: pass  # a program that left while being read
    time.sleep(0.2)
raise SystemExit(1)
EOF
echo "package $version: contents, Depends, lintian, launcher, metainfo and the name prompt are right"
