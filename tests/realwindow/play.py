#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays a short game with the real program at 1.5x scale as a blind player meets it: keys through xdotool;
the exercises, verdicts and time left read from the accessibility bus as Orca speaks them (the name and
description of what gets the focus; the status bar on request); every diagram counted on a screenshot.
With --prompt it stops at the name prompt. Run in an X server and a D-Bus session of its own:
  dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1200x24" /usr/bin/python3 play.py [--prompt] GAME"""
import os, re, shutil, subprocess, sys, tempfile, time
from gi.repository import GLib

GAME, PROMPT_ONLY, SCALE = os.path.realpath(sys.argv[-1]), "--prompt" in sys.argv, 1.5
WORK = tempfile.mkdtemp(prefix="quotello-play.")
PLURALS = "mezzi terzi quarti quinti sesti settimi ottavi noni decimi".split()
SINGULARS = "mezzo terzo quarto quinto sesto settimo ottavo nono decimo".split()
procs, events, focus = [], [], []  # started processes; (type, role, name); (object, role, name, description)
game, ctx = None, GLib.MainContext.default()


def fail(why):
    print(f"play: FAILED: {why}\nplay: last events: {events[-6:]}\nplay: kept in {WORK}", file=sys.stderr)
    raise SystemExit(1)


def start(name, *argv, **kw):
    procs.append(subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=open(f"{WORK}/{name}.log", "w"),
                                  stderr=subprocess.STDOUT, **kw))
    return procs[-1]


def wait_for(what, check, seconds=20, why=lambda: ""):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while ctx.pending():
            ctx.iteration(False)
        if found := check():
            return found
        if game and game.poll() is not None:
            fail(f"the game ended (status {game.returncode}) while waiting for {what}")
        time.sleep(0.05)
    fail(f"no {what} within {seconds} s{why()}")


def heard(e):
    try:
        events.append((e.type, e.source.getRoleName(), e.source.name))
        if e.type == "object:state-changed:focused" and e.detail1:
            focus.append((e.source, e.source.getRole(), e.source.name, e.source.description))
    except GLib.Error:  # a box already closed
        pass


def focused(role, name, seconds=30):
    """Waits for the focus to reach an object; returns it with its name and description as then heard."""
    def hit():
        for i, f in enumerate(focus):
            if f[1] == role and re.fullmatch(name, f[2] or ""):
                del focus[:i + 1]
                return f
    return wait_for(f"focus on {role} /{name}/", hit, seconds)


def xdo(command, what):
    subprocess.run(["xdotool", command, "--delay", "80", what], check=True, timeout=20)


def exercise(first=False):
    """The exercise the player hears as the answer box gets the focus; checks its diagram."""
    del events[:]
    box, _, _, said = focused(pyatspi.ROLE_TEXT, "Risultato")
    # Orca follows a caret that moves in the active window before the focus event comes, without a word.
    got = events.index(("object:state-changed:focused", "text", "Risultato"))
    if not first and ("object:text-caret-moved", "text", "Risultato") in events[:got]:
        fail("the answer box changed before it got the focus: Orca moves there without a word")
    m = re.fullmatch(r"Calcola (?:i (\d+) (\w+)|un (\w+)) di (\d+)", said or "")
    if not m or (m[2] or m[3]) not in PLURALS + SINGULARS:
        fail(f"the answer box got the focus saying {said!r}, not an exercise")
    n, d = (int(m[1]), PLURALS.index(m[2]) + 2) if m[1] else (1, SINGULARS.index(m[3]) + 2)
    count_pieces(box, n, d)
    return int(m[4]) * n // d, box


def count_pieces(box, n, d):
    """Counts the pieces between "A" and "B" along the middle row of their band, 33 logical pixels tall."""
    ea, eb = (pyatspi.findDescendant(box.parent, lambda o: o.name == t and o.getRole() == pyatspi.ROLE_LABEL)
              .queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for t in "AB")
    x0, x1, y = (round(v * SCALE) for v in (ea.x + ea.width, eb.x, ea.y + 16))
    shot, want = f"{WORK}/shot-{n}-{d}.png", "G" * n + "C" * (d - n)

    def shows():
        subprocess.run(["import", "-window", "root", shot], check=True, timeout=30)
        raw = subprocess.run(["convert", shot, "-crop", f"{x1 - x0}x1+{x0}+{y}", "+repage", "-depth", "8", "rgb:-"],
                             check=True, timeout=30, capture_output=True).stdout
        row = "".join({(128, 255, 128): "G", (0, 255, 255): "C"}.get(tuple(raw[i:i + 3]), ".")
                      for i in range(0, len(raw), 3))
        seen = "".join(p[0] if len(set(p)) == 1 else "?" for p in row.split(".") if p)
        shows.last = f": pieces {seen!r} between A and B along {row!r} ({shot})"
        return seen == want
    wait_for(f"diagram of {n}/{d} ({want})", lambda: shows() or time.sleep(0.3), 10, lambda: shows.last)


def verdict(answer, expected):
    xdo("type", str(answer))
    xdo("key", "Return")
    said = focused(pyatspi.ROLE_PUSH_BUTTON, "Nuovo calcolo")[3]
    if said != expected:
        fail(f"after the answer {answer} the player heard {said!r}, not {expected!r}")
    xdo("key", "Return")


def main():
    global game, pyatspi
    os.environ.update(LC_ALL="C.UTF-8", HOME=WORK, XDG_RUNTIME_DIR=WORK, XDG_CONFIG_HOME=f"{WORK}/config",
                      XDG_DATA_HOME=f"{WORK}/data", XDG_CACHE_HOME=f"{WORK}/cache")
    start("openbox", "openbox", "--sm-disable")  # which gives each new window the focus, once it is up
    wait_for("window manager", lambda: b"window id" in subprocess.run(
        ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, timeout=10).stdout)
    import pyatspi  # which starts the accessibility bus through the session bus
    for kind in ("object:state-changed:focused", "object:text-caret-moved"):
        pyatspi.Registry.registerEventListener(heard, kind)

    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}  # no scale or style from outside
    game = start("game", GAME, env=dict(env, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                         QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(SCALE)))
    focused(pyatspi.ROLE_TEXT, r"Come ti chiami\?", 60)
    active = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True, timeout=10).stdout
    wm_class = subprocess.run(["xprop", "-id", active.strip(), "WM_CLASS"], capture_output=True, text=True).stdout
    if not wm_class.rstrip().endswith('"Quotello"'):  # the class a launcher's StartupWMClass names
        fail(f"the name prompt's window is of the class {wm_class!r}, not Quotello")
    if PROMPT_ONLY:
        return print("play: the name prompt is up")
    xdo("type", "Mario")
    xdo("key", "Return")
    focused(pyatspi.ROLE_PUSH_BUTTON, "OK")
    xdo("key", "Return")

    right, _ = exercise(first=True)
    verdict(right + 1, f"Sbagliato!! {right}. Esatte 0, errate 1, totali 1")
    right, _ = exercise()
    verdict(right, "Esatto, è incredibile!!!. Esatte 1, errate 1, totali 2")
    _, box = exercise()
    frame = pyatspi.findAncestor(box, lambda o: o.getRole() == pyatspi.ROLE_FRAME)
    bar = pyatspi.findDescendant(frame, lambda o: o.getRole() == pyatspi.ROLE_STATUS_BAR)
    if not bar or not re.fullmatch(r"Tempo restante: 00:1[0-4]:[0-5]\d", bar.name):
        fail(f"the window's status bar does not tell the time left: {bar and bar.name!r}")

    xdo("key", "alt+x")
    focused(pyatspi.ROLE_PUSH_BUTTON, "No")
    xdo("key", "alt+s")
    focused(pyatspi.ROLE_PUSH_BUTTON, "OK")
    xdo("key", "Return")
    wait_for("end of the game after the goodbye box", lambda: game.poll() is not None, 15)
    if game.returncode != 0:
        fail(f"the game exited with status {game.returncode}")
    print("play: PASSED")


try:
    main()
    shutil.rmtree(WORK)
finally:
    for p in reversed(procs):
        p.terminate()
        try:
            p.wait(timeout=5)
        except subprocess.TimeoutExpired:
            p.kill()
            p.wait()
