#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Installs Quotello silently in a fresh Wine prefix, plays a short game with the installed program as the Linux
real-window test does (keys through xdotool; the diagram's pieces counted on screenshots; the whole number, the
verdicts and the counts read by OCR, Wine having no accessibility bus), then uninstalls it.
  xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 play.py SETUP.EXE"""
import os, re, shutil, subprocess, sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "realwindow"))
import play  # noqa: E402
from play import WORK, fail, start, wait_for, xdo  # noqa: E402

SETUP, WINE, EXE = os.path.realpath(sys.argv[-1]), "/usr/lib/wine/wine64", r"C:\Program Files\Quotello\quotello.exe"
GAME, RECORD, LINK = (Path(WORK, "prefix/drive_c", p) for p in (
    "Program Files/Quotello", "ProgramData/Quotello", "ProgramData/Microsoft/Windows/Start Menu/Programs/Quotello.lnk"))
# The installed game finds its Qt beside it, not through anything from outside. Wine neither offers to
# fetch Mono and Gecko nor puts the shortcut in this machine's own menus.
ENV = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "WINE"))} | {
    "WINEPREFIX": f"{WORK}/prefix", "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=d"}
GREEN, CYAN, RED, BLUE = (128, 255, 128), (0, 255, 255), (255, 0, 0), (0, 0, 255)


def run(*argv):
    return subprocess.run(argv, env=ENV, capture_output=True, text=True, timeout=120).stdout.strip()


def screen():  # as rows of 1280 RGB triples
    run("import", "-window", "root", f"{WORK}/screen.png")
    raw = subprocess.run(["convert", f"{WORK}/screen.png", "-depth", "8", "rgb:-"], capture_output=True).stdout
    return [list(zip(raw[y:y + 3840:3], raw[y + 1:y + 3840:3], raw[y + 2:y + 3840:3])) for y in range(0, len(raw), 3840)]


def read(origin, x, y, w, h, digits=True):  # by OCR of that part of the last screenshot, upscaled
    run("convert", f"{WORK}/screen.png", "-crop", f"{w}x{h}+{x + origin[0]}+{y + origin[1]}", "+repage",
        "-colorspace", "gray", "-resize", "300%", "-bordercolor", "white", "-border", "20", f"{WORK}/ocr.png")
    return run("tesseract", f"{WORK}/ocr.png", "-", "--psm", "7", *(["-c", "tessedit_char_whitelist=0123456789"] * digits))


def painted(rows, origin, colour):  # pixels of that colour where the verdict is shown
    return sum(row[origin[0] + 88:origin[0] + 529].count(colour) for row in rows[origin[1] + 144:origin[1] + 185])


def exercise():
    """The layout's origin on the screen and the diagram's pieces as G and C, once a new exercise is shown."""
    rows = screen()
    band = [y for y, row in enumerate(rows) if sum(p in (GREEN, CYAN) for p in row) > 300]
    if len(band) != 31:  # 33 pixels tall at scale 1, borders included
        return None
    origin = (next(x for x, p in enumerate(rows[band[15]]) if p in (GREEN, CYAN)) - 97, band[0] - 257)
    pieces = "".join({GREEN: "G", CYAN: "C"}.get(p, ".") for p in rows[band[15]]).split(".")
    return not painted(rows, origin, RED) + painted(rows, origin, BLUE) and (
        origin, "".join(p[0] for p in pieces if p and len(set(p)) == 1))


def answer(wrong, colour, verdict, counts):
    origin, pieces = wait_for("a new exercise", exercise)
    n, d, whole = pieces.count("G"), len(pieces), read(origin, 400, 32, 113, 49)
    if not re.fullmatch("G+C*", pieces) or not whole.isdigit() or int(whole) * n % d:
        fail(f"the exercise shows {whole!r} and the pieces {pieces!r}")
    right = int(whole) * n // d
    xdo("type", "--delay", "100", str(wrong or right))
    xdo("key", "Return")
    said, seen = wait_for(f"verdict after {wrong or right} for {n}/{d} of {whole}", lambda: painted(
        screen(), origin, colour) > 200 and (read(origin, 88, 144, 441, 41, False), [read(
            origin, *r) for r in ((74, 410, 33, 55), (290, 410, 32, 55), (522, 402, 33, 55))]))
    if not re.fullmatch(verdict.format(right), said) or seen != counts:
        fail(f"after {wrong or right} for {n}/{d} of {whole} the screen says {said!r}, counts {seen}")
    xdo("key", "Return")  # on "Nuovo calcolo"


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
    prompt = run("xdotool", "getactivewindow")
    xdo("type", "--delay", "100", "Mario")
    xdo("key", "Return")
    wait_for("greeting", lambda: run("xdotool", "getactivewindow") != prompt and titled("Quotello"))
    xdo("key", "Return")
    answer(9999, RED, "Sbagliato!! {}", ["0", "1", "1"])  # above 90: always wrong
    answer(None, BLUE, "Esatto, .* incredibile!!!", ["1", "1", "2"])
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
