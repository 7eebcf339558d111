#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the real program as a blind player meets it: keys through xdotool, everything heard on the accessibility
bus through a slow listener, the diagrams counted on screenshots. On a 1366x768 X screen at 1.5x; --wayland up to
the first exercise in Weston with XWayland; --prompt only up to the name prompt. In its own X and D-Bus:
  dbus-run-session -- xvfb-run -a -s "-screen 0 1366x768x24" /usr/bin/python3 play.py [--wayland|--prompt] GAME"""
import os, re, shutil, subprocess, sys, tempfile, time
from gi.repository import GLib

GAME, PROMPT_ONLY, WAYLAND = os.path.realpath(sys.argv[-1]), "--prompt" in sys.argv, "--wayland" in sys.argv
SCALE, WORK, SCREEN = 1 if WAYLAND else 1.5, tempfile.mkdtemp(prefix="quotello-play."), dict(os.environ)
PLURALS = "mezzi terzi quarti quinti sesti settimi ottavi noni decimi".split()
SINGULARS = "mezzo terzo quarto quinto sesto settimo ottavo nono decimo".split()
GREEN, CYAN = (128, 255, 128), (0, 255, 255)  # the diagram's pieces
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


def pump(seconds):
    wait_for("", lambda: time.sleep(seconds) or True)


def heard(e):
    time.sleep(0.05)  # a slow listener, as a screen reader on a busy machine is
    try:
        events.append((e.type, e.source.getRoleName(), e.source.name))
        if e.type == "object:state-changed:focused" and e.detail1:
            focus.append((e.source, e.source.getRole(), e.source.name, e.source.description))
    except GLib.Error:  # a box already closed
        pass


def focused(role, name, seconds=30):  # waits for the focus there; its object, role, name and description as heard
    def hit():
        for i, f in enumerate(focus):
            if f[1] == role and re.fullmatch(name, f[2] or ""):
                del focus[:i + 1]
                return f
    return wait_for(f"focus on {role} /{name}/", hit, seconds)


def pieces(pixels):  # the diagram's pieces along a row of RGB pixels: G green, C cyan, ? mixed; and the row
    row = "".join({GREEN: "G", CYAN: "C"}.get(p, ".") for p in pixels)
    return "".join(p[0] if len(set(p)) == 1 else "?" for p in row.split(".") if p), row


def active():  # the window with the keyboard
    return subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True).stdout.strip() or "0"


def xprop(window, name):
    return subprocess.run(["xprop", "-id", window, name], capture_output=True, text=True).stdout


def xdo(*args):  # the keyboard and the mouse, on the screen: Weston's window in --wayland
    subprocess.run(["xdotool", *args], check=True, timeout=20, env=SCREEN)


def press(key, role, name):
    xdo("key", key)
    return focused(getattr(pyatspi, "ROLE_" + role), name)


def held(key, then_focused):  # for 3 s: it acts once, and the focus reaches only `then_focused` meanwhile
    del focus[:]
    xdo("keydown", key)
    pump(3)
    xdo("keyup", key)
    pump(0.5)
    if [f[2] for f in focus] != [then_focused]:
        fail(f"{key} held 3 s moved the focus to {[f[2] for f in focus]}, not once to {then_focused!r}")


def named(root, pattern, role=None):  # the showing object under root whose name matches
    return pyatspi.findDescendant(root, lambda o: re.fullmatch(pattern, o.name or "") and (not role or o.getRole() == role)
                                  and o.getState().contains(pyatspi.STATE_SHOWING))


def new_game(name):  # at the name prompt
    xdo("type", "--delay", "80", name)
    held("Return", "OK")  # the greeting stays up


def exercise(first=False):  # as heard when the answer box gets the focus; its diagram seen and heard
    del events[:]
    box, _, _, said = focused(pyatspi.ROLE_TEXT, "Risultato")
    # Orca follows a caret that moves in the active window before the focus event comes, without a word.
    got = events.index(("object:state-changed:focused", "text", "Risultato"))
    if not first and ("object:text-caret-moved", "text", "Risultato") in events[:got]:
        fail("the answer box changed before it got the focus: Orca moves there without a word")
    m = re.fullmatch(r"Calcola (?:i (\d+) (\w+)|un (\w+)) di (\d+)", said or "")
    if not m or (m[2] or m[3]) not in (PLURALS if m[1] else SINGULARS) or m[1] == "1":
        fail(f"the answer box got the focus saying {said!r}, not an exercise in good Italian")
    n, d = (int(m[1]), PLURALS.index(m[2]) + 2) if m[1] else (1, SINGULARS.index(m[3]) + 2)
    coloured = "tutte colorate" if n == d else "la prima colorata" if n == 1 else f"le prime {n} colorate"
    if not named(box.parent, f"Segmento da A a B diviso in {d} parti uguali, {coloured}", pyatspi.ROLE_IMAGE):
        fail(f"the diagram of {n}/{d} is not told to a screen reader")
    # Its pieces counted along the middle row of their band, between "A" and "B".
    ea, eb = (named(box.parent, t, pyatspi.ROLE_LABEL).queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for t in "AB")
    x0, x1, y = (round(v * SCALE) for v in (ea.x + ea.width, eb.x, ea.y + ea.height // 2))
    want = "G" * n + "C" * (d - n)

    def shows():
        raw = subprocess.run(["import", "-window", "root", "-crop", f"{x1 - x0}x1+{x0}+{y}", "-depth", "8", "rgb:-"],
                             check=True, timeout=30, capture_output=True, env=SCREEN).stdout
        seen, row = pieces(tuple(raw[i:i + 3]) for i in range(0, len(raw), 3))
        shows.last = f": pieces {seen!r} between A and B along {row!r}"
        return seen == want
    wait_for(f"diagram of {n}/{d} ({want})", lambda: shows() or time.sleep(0.3), 10, lambda: shows.last)
    return int(m[4]) * n // d, box


def verdict(answer, expected, counts):
    xdo("type", "--delay", "80", str(answer))
    button = press("Return", "PUSH_BUTTON", "Nuovo calcolo")
    told = [named(button[0].parent.parent, f"Risposte {w}: .*").name for w in ("esatte", "errate", "totali")]
    if button[3] != expected or told != [f"Risposte {w}: {c}" for w, c in zip(("esatte", "errate", "totali"), counts)]:
        fail(f"after the answer {answer} the player heard {button[3]!r}, counts {told}, not {expected!r}, {counts}")


def clock(frame):
    bar = pyatspi.findDescendant(frame, lambda o: o.getRole() == pyatspi.ROLE_STATUS_BAR)
    m = re.fullmatch(r"Tempo restante: 00:(\d\d):(\d\d)", bar.name if bar else "")
    return int(m[1]) * 60 + int(m[2]) if m else fail(f"the status bar does not tell the time left: {bar and bar.name!r}")


def main():
    global game, pyatspi
    os.environ.update(LC_ALL="C.UTF-8", HOME=WORK, XDG_RUNTIME_DIR=WORK, XDG_CONFIG_HOME=f"{WORK}/config",
                      XDG_DATA_HOME=f"{WORK}/data", XDG_CACHE_HOME=f"{WORK}/cache")
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}  # no scale or style from outside
    env.update(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    if WAYLAND:  # the desktop's choice left to the game
        start("weston", "weston", "--backend=x11-backend.so", "--xwayland", "--socket=quotello-wl", "--idle-time=0")
        display = wait_for("XWayland", lambda: re.search(r"xserver listening on display (:\d+)",
                                                          open(f"{WORK}/weston.log").read()))[1]
        env.update(WAYLAND_DISPLAY="quotello-wl", DISPLAY=display, XDG_SESSION_TYPE="wayland")
        os.environ["DISPLAY"] = display  # the game's X server from now on
        xdo("mousemove", "400", "300")  # over Weston's window, which then has the keyboard
    else:
        env.update(QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(SCALE))
        start("openbox", "openbox", "--sm-disable")  # which gives each new window the focus, once it is up
    wait_for("window manager", lambda: b"window id" in subprocess.run(
        ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, timeout=10).stdout)
    import pyatspi  # which starts the accessibility bus through the session bus
    for kind in ("object:state-changed:focused", "object:text-caret-moved", "object:text-selection-changed"):
        pyatspi.Registry.registerEventListener(heard, kind)

    game = start("game", GAME, env=env)
    focused(pyatspi.ROLE_TEXT, r"Come ti chiami\?", 60)
    # An X11 window, of the class a launcher's StartupWMClass names.
    wait_for("the name prompt as an X11 window of Quotello's", lambda: xprop(active(), "WM_CLASS").endswith('"Quotello"\n'))
    if PROMPT_ONLY:
        return print("play: the name prompt is up")
    new_game("Mario")
    xdo("key", "Return")
    right, box = exercise(first=True)
    if WAYLAND:  # from here as on X11, which it is
        return
    verdict(right + 1, f"Sbagliato!! {right}. Esatte 0, errate 1, totali 1", (0, 1, 1))
    xdo("key", "Return")
    right, box = exercise()
    xdo("type", str(right))
    held("Return", "Nuovo calcolo")  # checked once, and no exercise posed unseen
    xdo("key", "Return")
    right, box = exercise()
    frame = pyatspi.findAncestor(box, lambda o: o.getRole() == pyatspi.ROLE_FRAME)
    left, since = clock(frame), time.monotonic()
    pump(4)
    if abs((left - clock(frame)) - (time.monotonic() - since)) > 1.2:
        fail(f"the clock went from {left} s left to {clock(frame)} in {time.monotonic() - since:.1f} real seconds")
    window, titles = active(), set()  # minimised, its title tells the time left, second by second
    xdo("windowminimize", "--sync", window)
    wait_for("time left going on in the title", lambda: titles.add(xprop(window, "WM_NAME")) or len(
        {t for t in titles if re.search(r'"00:1\d:\d\d"', t)}) > 1, 5, lambda: f": {titles}")
    xdo("windowactivate", "--sync", window)
    wait_for("\"Quotellare\" back as the title", lambda: '"Quotellare"' in xprop(window, "WM_NAME"), 5)

    # Every control on the screen at this scale, whatever the layout's size.
    screen = [int(v) / SCALE for v in re.search(r"dimensions: +(\d+)x(\d+)", subprocess.run(
        ["xdpyinfo"], capture_output=True, text=True).stdout).groups()]
    for o in pyatspi.findAllDescendants(frame, lambda o: o.getState().contains(pyatspi.STATE_SHOWING) and o.name):
        e = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if min(e.x, e.y) < 0 or e.x + e.width > screen[0] + 1 or e.y + e.height > screen[1] + 1:
            fail(f"{o.name!r} lies outside the {screen} screen at {e.x},{e.y} {e.width}x{e.height}")

    # Tabbing into an answered box: it tells its focus before its selection, and its text as one run.
    verdict(9999, f"Sbagliato!! {right}. Esatte 1, errate 2, totali 3", (1, 2, 3))
    del events[:]
    press("Tab", "TEXT", "Risultato")
    pump(0.5)
    told = [e[0].split(":")[-1] for e in events if e[2] == "Risultato"] + [tuple(box.queryText().getAttributeRun(0, False)[1:])]
    if told[:2] != ["focused", "text-selection-changed"] or told[-1] != (0, 4):
        fail(f"tabbing into the answered box told {told}, not its focus, its selection, and 9999 as one run")
    press("Tab", "PUSH_BUTTON", "Esci")
    held("Return", "No")  # the question asked once, and left open
    press("Escape", "PUSH_BUTTON", "Esci")

    # "Nuovo gioco" double-clicked: the new name prompt comes up with the focus.
    e = named(frame.parent, "Nuovo gioco").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdo("mousemove", str(round((e.x + e.width / 2) * SCALE)), str(round((e.y + e.height / 2) * SCALE)),
        "click", "--repeat", "2", "--delay", "120", "1")
    focused(pyatspi.ROLE_TEXT, r"Come ti chiami\?")
    new_game("Bea")
    xdo("key", "Return")
    right, box = exercise(first=True)
    verdict(right + 1, f"Sbagliato!! {right}. Esatte 0, errate 1, totali 1", (0, 1, 1))  # counted afresh
    if [w.name for w in box.getApplication()] != ["Quotellare"]:  # the old one gone
        fail(f"the program's windows after a new game are {[w.name for w in box.getApplication()]}")
    press("alt+x", "PUSH_BUTTON", "No")
    press("alt+s", "PUSH_BUTTON", "OK")
    xdo("key", "Return")
    wait_for("end of the game after the goodbye box", lambda: game.poll() is not None, 15)
    if game.returncode != 0:
        fail(f"the game exited with status {game.returncode}")


def stop():
    for p in reversed(procs):
        p.terminate()
        try:
            p.wait(timeout=5)
        except subprocess.TimeoutExpired:
            p.kill()


if __name__ == "__main__":
    try:
        main()
        print("play: PASSED")
        shutil.rmtree(WORK)
    finally:
        stop()
