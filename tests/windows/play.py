#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Installs Quotello silently in a fresh Wine prefix, plays a short game with the installed program (keys through
xdotool; the whole number and the verdicts read by OCR, the diagram's pieces counted on screenshots, kept in SHOTS),
then uninstalls it.  xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 play.py SETUP.EXE SHOTS"""
import os, re, shutil, subprocess, sys, time
from pathlib import Path

SETUP, SHOTS = os.path.realpath(sys.argv[1]), os.path.realpath(sys.argv[2])
WINE, PREFIX, EXE = "/usr/lib/wine/wine64", f"{SHOTS}/prefix", r"C:\Program Files\Quotello\quotello.exe"
GAME, RECORD, LINK = (Path(PREFIX, "drive_c", p) for p in (
    "Program Files/Quotello", "ProgramData/Quotello", "ProgramData/Microsoft/Windows/Start Menu/Programs/Quotello.lnk"))
KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quotello"
# The installed game finds its Qt beside it, not through anything from outside. Wine neither offers to
# fetch Mono and Gecko nor puts the shortcut in this machine's own menus.
ENV = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "WINE"))} | {
    "WINEPREFIX": PREFIX, "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=d"}
GREEN, CYAN, RED, BLUE = (128, 255, 128), (0, 255, 255), (255, 0, 0), (0, 0, 255)
procs, shots = [], []


def fail(why):
    raise SystemExit(f"windows play: FAILED: {why}\nwindows play: screenshots in {SHOTS}")


def run(*argv, check=True):
    return subprocess.run(argv, env=ENV, capture_output=True, text=True, timeout=120, check=check)


def wait_for(what, check, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if found := check():
            return found
        if procs[-1].poll() is not None:
            fail(f"{procs[-1].args[0]} ended (status {procs[-1].returncode}) while waiting for {what}")
        time.sleep(0.3)
    fail(f"no {what} within {seconds} s (last screenshot {shots[-1:]})")


def xdo(*argv):
    return run("xdotool", *argv, check=False).stdout.strip()


def screen(name):  # as rows of 1280 RGB triples
    shots.append(f"{SHOTS}/{len(shots) + 1:02}-{name.split()[0]}.png")
    run("import", "-window", "root", shots[-1])
    raw = subprocess.run(["convert", shots[-1], "-depth", "8", "rgb:-"], capture_output=True, timeout=30).stdout
    return [list(zip(raw[y:y + 3840:3], raw[y + 1:y + 3840:3], raw[y + 2:y + 3840:3])) for y in range(0, len(raw), 3840)]


def read(origin, x, y, w, h, digits=True):  # by OCR of that part of the last screenshot, upscaled
    run("convert", shots[-1], "-crop", f"{w}x{h}+{x + origin[0]}+{y + origin[1]}", "+repage", "-colorspace", "gray",
        "-resize", "300%", "-bordercolor", "white", "-border", "20", f"{SHOTS}/ocr.png")
    return run("tesseract", f"{SHOTS}/ocr.png", "-", "--psm", "7",
               *(["-c", "tessedit_char_whitelist=0123456789"] * digits)).stdout.strip()


def painted(rows, origin, colour):  # pixels of that colour where the verdict is shown
    return sum(row[origin[0] + 88:origin[0] + 529].count(colour) for row in rows[origin[1] + 144:origin[1] + 185])


def exercise():
    """The layout's origin on the screen and the diagram's pieces as G and C, once a new exercise is shown."""
    rows = screen("exercise")
    band = [y for y, row in enumerate(rows) if sum(p in (GREEN, CYAN) for p in row) > 300]
    if len(band) != 31:  # 33 pixels tall at scale 1, borders included
        return None
    origin = (next(x for x, p in enumerate(rows[band[15]]) if p in (GREEN, CYAN)) - 97, band[0] - 257)
    pieces = "".join({GREEN: "G", CYAN: "C"}.get(p, ".") for p in rows[band[15]]).split(".")
    return not painted(rows, origin, RED) + painted(rows, origin, BLUE) and (
        origin, "".join(p[0] for p in pieces if p and len(set(p)) == 1))


def answer(wrong, colour, verdict, counts):
    origin, pieces = wait_for("a new exercise", exercise, 20)
    n, d, whole = pieces.count("G"), len(pieces), read(origin, 400, 32, 113, 49)
    if not re.fullmatch("G+C*", pieces) or not whole.isdigit() or int(whole) * n % d:
        fail(f"the exercise shows {whole!r} and the pieces {pieces!r} ({shots[-1]})")
    right = int(whole) * n // d
    xdo("type", "--delay", "100", str(wrong or right))
    xdo("key", "Return")
    said, seen = wait_for(f"verdict after {wrong or right} for {n}/{d} of {whole}", lambda: painted(
        screen("verdict"), origin, colour) > 200 and (read(origin, 88, 144, 441, 41, False), [read(
            origin, *r) for r in ((74, 410, 33, 55), (290, 410, 32, 55), (522, 402, 33, 55))]), 10)
    if not re.fullmatch(verdict.format(right), said) or seen != counts:
        fail(f"after {wrong or right} for {n}/{d} of {whole} the screen says {said!r}, counts {seen} ({shots[-1]})")
    xdo("key", "Return")  # on "Nuovo calcolo"


def focused(title):
    return re.fullmatch(title, xdo("getactivewindow", "getwindowname")) and screen(title)


def record():
    return [(s.st_size, s.st_mtime_ns) if (s := f.exists() and f.stat()) else "missing"
            for f in (RECORD / "fravis.txt", RECORD / "nfravis.txt")]


def main():
    shutil.rmtree(SHOTS, ignore_errors=True)
    os.makedirs(SHOTS)
    procs.append(subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    wait_for("window manager", lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").stdout)
    run(WINE, "wineboot", "-i")
    for font in ("tahoma.ttf", "tahomabd.ttf"):  # else Wine draws the boxes and the menu in a serif font
        shutil.copy(f"/usr/share/wine/fonts/{font}", f"{PREFIX}/drive_c/windows/Fonts/")
    run(WINE, SETUP, "/S")
    registered = run(WINE, "reg", "query", KEY, check=False).stdout
    if not (GAME / "quotello.exe").is_file() or [r[0] for r in record()] != [0, 0] or not LINK.is_file() \
            or EXE.encode("utf-16-le") not in LINK.read_bytes() or '\\uninstall.exe" /S' not in registered:
        fail(f"after setup.exe /S: record files {record()}, shortcut {LINK.exists()}, registered {registered!r}")
    before = record()

    procs.append(subprocess.Popen([WINE, EXE], env=ENV, cwd=SHOTS))
    wait_for("name prompt", lambda: focused("Quotello"), 60)
    prompt = xdo("getactivewindow")
    xdo("type", "--delay", "100", "Mario")
    xdo("key", "Return")
    wait_for("greeting", lambda: xdo("getactivewindow") != prompt and focused("Quotello"))
    xdo("key", "Return")
    answer(9999, RED, "Sbagliato!! {}", ["0", "1", "1"])  # above 90: always wrong
    answer(None, BLUE, "Esatto, .* incredibile!!!", ["1", "1", "2"])
    xdo("key", "alt+x")
    wait_for("box asking to leave", lambda: focused("Uscire dal programma"))
    xdo("key", "alt+s")
    wait_for("goodbye box", lambda: focused(r"Data \d\d/\d\d/\d{4}"))
    xdo("key", "Return")
    wait_for("end of the game", lambda: procs[-1].poll() is not None, 20)
    if (status := procs.pop().returncode) != 0 or record() != before:
        fail(f"the game ended with status {status}; record files {before} then {record()}")

    run(WINE, GAME / "uninstall.exe", "/S")  # which goes on from a copy of itself and returns at once
    wait_for("uninstalled program", lambda: not GAME.exists(), 60)
    if LINK.exists() or run(WINE, "reg", "query", KEY, check=False).returncode == 0 or record() != before:
        fail(f"after uninstall.exe /S: shortcut {LINK.exists()}, record files {before} then {record()}")
    (RECORD / "fravis.txt").write_text("42\n")  # as a teacher sets a record, which installing again keeps
    run(WINE, SETUP, "/S")
    if (RECORD / "fravis.txt").read_text() != "42\n" or not (GAME / "quotello.exe").is_file():
        fail("installing again over a record a teacher wrote")
    print(f"windows play: PASSED; screenshots in {SHOTS}")


try:
    main()
finally:
    subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=ENV, check=False)
    for p in procs:
        p.terminate()
        p.wait(timeout=10)
shutil.rmtree(PREFIX)
