#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Installs Quotello silently in a fresh Wine prefix, starts a game with the installed program (keys through
xdotool; the diagram seen on a screenshot, Wine having no accessibility bus) and leaves it, then uninstalls it.
  xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 play.py SETUP.EXE"""
import os, re, shutil, subprocess, sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "realwindow"))
import play  # noqa: E402
from play import CYAN, GREEN, WORK, active, fail, pieces, start, wait_for, xdo  # noqa: E402

SETUP, WINE, EXE = os.path.realpath(sys.argv[-1]), "/usr/lib/wine/wine64", r"C:\Program Files\Quotello\quotello.exe"
GAME, RECORD, LINK = (Path(WORK, "prefix/drive_c", p) for p in (
    "Program Files/Quotello", "ProgramData/Quotello", "ProgramData/Microsoft/Windows/Start Menu/Programs/Quotello.lnk"))
# The installed game finds its Qt beside it, not through anything from outside. Wine neither offers to
# fetch Mono and Gecko nor puts the shortcut in this machine's own menus.
ENV = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "WINE"))} | {
    "WINEPREFIX": f"{WORK}/prefix", "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=d"}


def run(*argv):
    return subprocess.run(argv, env=ENV, capture_output=True, text=True, timeout=120).stdout.strip()


def screen():  # as rows of 1280 RGB triples
    run("import", "-window", "root", f"{WORK}/screen.png")
    raw = subprocess.run(["convert", f"{WORK}/screen.png", "-depth", "8", "rgb:-"], capture_output=True).stdout
    return [list(zip(raw[y:y + 3840:3], raw[y + 1:y + 3840:3], raw[y + 2:y + 3840:3])) for y in range(0, len(raw), 3840)]


def diagram():  # its pieces along the middle of its band, once one is on the screen
    band = [row for row in screen() if sum(p in (GREEN, CYAN) for p in row) > 300]
    return len(band) == 31 and pieces(band[15])[0]  # 33 px tall, borders and all


def titled(title):  # the active window's title
    return re.fullmatch(title, run("xdotool", "getactivewindow", "getwindowname"))


def record():
    return [(s.st_size, s.st_mtime_ns) if (s := f.exists() and f.stat()) else "missing"
            for f in (RECORD / "fravis.txt", RECORD / "nfravis.txt")]


def main():
    start("openbox", "openbox", "--sm-disable")
    run(WINE, "wineboot", "-i")
    for font in ("tahoma.ttf", "tahomabd.ttf"):  # else Wine draws the boxes and the menu in a serif font
        shutil.copy(f"/usr/share/wine/fonts/{font}", f"{WORK}/prefix/drive_c/windows/Fonts/")
    run(WINE, SETUP, "/S")
    listed = lambda: run(WINE, "reg", "query", r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quotello")
    if not (GAME / "quotello.exe").is_file() or [r[0] for r in record()] != [0, 0] or not LINK.is_file() \
            or EXE.encode("utf-16-le") not in LINK.read_bytes() or "uninstall.exe" not in listed():
        fail(f"after setup.exe /S: record files {record()}, shortcut {LINK.exists()}, installed programs {listed()!r}")
    before = record()
    play.game = start("game", WINE, EXE, env=ENV, cwd=WORK)
    wait_for("name prompt", lambda: titled("Quotello"), 60)
    prompt = active()
    xdo("type", "--delay", "100", "Mario")
    xdo("key", "Return")
    wait_for("greeting", lambda: active() != prompt and titled("Quotello"))
    xdo("key", "Return")
    pieces = wait_for("an exercise", diagram)
    if not re.fullmatch("G+C*", pieces) or not 2 <= len(pieces) <= 10:
        fail(f"the exercise's diagram shows the pieces {pieces!r}")
    xdo("key", "alt+x")
    wait_for("box asking to leave", lambda: titled("Uscire dal programma"))
    xdo("key", "alt+s")
    wait_for("goodbye box", lambda: titled(r"Data \d\d/\d\d/\d{4}"))
    xdo("key", "Return")
    wait_for("end of the game", lambda: play.game.poll() is not None or None)
    if play.game.returncode != 0 or record() != before:
        fail(f"the game ended with status {play.game.returncode}; record files {before} then {record()}")
    play.game = None
    start("uninstall", WINE, GAME / "uninstall.exe", "/S", env=ENV)  # which goes on from a copy of itself
    wait_for("the program gone", lambda: not GAME.exists() or None, 60)
    if LINK.exists() or "uninstall.exe" in listed() or record() != before:
        fail(f"after uninstall.exe /S: shortcut {LINK.exists()}, {listed()!r}, record files {before} then {record()}")


try:
    main()
    print("windows play: PASSED")
finally:
    subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=ENV)
    play.stop()
shutil.rmtree(WORK)
