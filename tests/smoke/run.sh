#!/usr/bin/env bash
# Plays a short game with the real program in a real X server, through the
# keyboard only, the way a child would:
#
#   name + Enter, Enter on the greeting, the right answer + Enter,
#   Enter for the next exercise, Alt+X, Enter (stays: No is the default),
#   Alt+X, Alt+S (Sì), Enter on the goodbye box -> exit status 0.
#
# It reads what the window shows from the readout file (QUOTELLO_READOUT),
# and checks the diagram and the background on screenshots.
#
# Usage: tests/smoke/run.sh path/to/quotello [copy-of-screenshot.png]
# The optional second argument receives the 1024x768 screenshot taken after
# the right answer (that is how docs/screenshot.png is made).
#
# Needs Xvfb, openbox, xdotool, xwininfo, xprop and ImageMagick (tools/setup.sh
# installs them). Every wait is bounded; nothing here reads stdin.
set -euo pipefail

GAME=${1:?usage: run.sh path/to/quotello [screenshot-copy.png]}
SHOT_COPY=${2:-}
GAME=$(realpath -- "$GAME")
[[ -x $GAME ]] || { echo "smoke: not an executable: $GAME" >&2; exit 1; }
[[ -z $SHOT_COPY ]] || SHOT_COPY=$(realpath -m -- "$SHOT_COPY")

for tool in Xvfb openbox xdotool xwininfo xprop import convert timeout; do
    command -v "$tool" >/dev/null || { echo "smoke: $tool is missing (run tools/setup.sh)" >&2; exit 1; }
done

# Colours of the window, as ImageMagick writes them.
readonly BACKGROUND='#FFFFC0' SHADED='#80FF80' UNSHADED='#00FFFF'

# Only the X server started here is ever used, screenshotted or typed into.
unset DISPLAY
WORK=$(mktemp -d "${TMPDIR:-/tmp}/quotello-smoke.XXXXXX")
READOUT=$WORK/readout.txt
GAME_LOG=$WORK/game.log
LAST_SHOT=""
XVFB_PID="" WM_PID="" GAME_PID=""
PASSED=0

step() { printf 'smoke: %s\n' "$*"; }

fail() {
    printf '\nsmoke: FAILED: %s\n' "$*" >&2
    printf '%s\n' "$*" >"$WORK/failure.txt"
    {
        echo "--- readout ($READOUT)"
        cat "$READOUT" 2>/dev/null || echo "(no readout)"
        echo "--- game output ($GAME_LOG)"
        cat "$GAME_LOG" 2>/dev/null || true
        echo "--- windows on screen"
        xdo search --onlyvisible --name . getwindowname %@ 2>/dev/null || true
        if [[ -n ${DISPLAY:-} ]]; then
            LAST_SHOT=$WORK/failure.png
            timeout 10 import -window root "$LAST_SHOT" 2>/dev/null || LAST_SHOT=""
        fi
        echo "--- screenshot: ${LAST_SHOT:-(none)}"
        echo "--- everything kept in $WORK"
    } >&2
    exit 1
}

# shellcheck source=../../tools/processes.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/processes.sh"

cleanup() {
    stop "$GAME_PID"
    stop "$WM_PID"
    stop "$XVFB_PID"
    if (( PASSED )); then rm -rf "$WORK"; fi
}
trap cleanup EXIT
trap 'fail "interrupted"' INT TERM

xdo() { timeout 10 xdotool "$@"; }

game_alive() { [[ -n $GAME_PID ]] && kill -0 "$GAME_PID" 2>/dev/null; }

# wait_for SECONDS WHAT COMMAND...: runs COMMAND every 0.1 s until it succeeds.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local deadline=$(( $(now_ms) + limit * 1000 ))
    until "$@"; do
        (( $(now_ms) < deadline )) || fail "no $what within ${limit} s"
        if [[ -n $GAME_PID ]] && ! game_alive; then fail "the game ended while waiting for $what"; fi
        sleep 0.1
    done
}

# ---- X server and window manager --------------------------------------------

start_display() {
    local fdfile=$WORK/display
    : >"$fdfile"
    # -displayfd picks a free display number and writes it once listening.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$fdfile" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    display_ready() { [[ $(wc -l <"$fdfile") -ge 1 ]] || { kill -0 "$XVFB_PID" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"; return 1; }; }
    wait_for 30 "X server" display_ready
    export DISPLAY=":$(head -n1 "$fdfile")"
    step "X server on $DISPLAY"

    mkdir -p "$WORK/config" "$WORK/cache"
    XDG_CONFIG_HOME=$WORK/config XDG_CACHE_HOME=$WORK/cache \
        openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    wm_ready() { timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wait_for 30 "window manager" wm_ready
}

# ---- Windows -----------------------------------------------------------------

# The visible windows whose title matches the pattern, one id a line.
windows_named() { xdo search --onlyvisible --name "$1" 2>/dev/null || true; }

# focused_window_named PATTERN [ID-TO-SKIP]: true when a visible window with
# that title has the input focus; sets FOUND to its id.
FOUND=""
focused_window_named() {
    local pattern=$1 skip=${2:-} active id
    active=$(xdo getactivewindow 2>/dev/null) || return 1
    for id in $(windows_named "$pattern"); do
        if [[ $id != "$skip" && $id == "$active" ]]; then FOUND=$id; return 0; fi
    done
    return 1
}

# find_window SECONDS PATTERN [ID-TO-SKIP]: waits for such a window.
find_window() {
    FOUND=""
    wait_for "$1" "focused window titled /$2/" focused_window_named "$2" "${3:-}"
}

gone() { ! windows_named "$1" | grep -qx "$2"; }

# ---- Readout -----------------------------------------------------------------

readout_lines() { [[ -f $READOUT ]] && wc -l <"$READOUT" || echo 0; }
readout_line() { sed -n "$1p" "$READOUT"; }
has_lines() { (( $(readout_lines) >= $1 )); }

# Sets N, NUM, DEN and ANSWER from an "exercise <n>/<d> of <N>" line.
parse_exercise() {
    local line=$1
    [[ $line =~ ^exercise\ ([0-9]+)/([0-9]+)\ of\ ([0-9]+)$ ]] || fail "not an exercise line: '$line'"
    NUM=${BASH_REMATCH[1]} DEN=${BASH_REMATCH[2]} N=${BASH_REMATCH[3]}
    (( DEN >= 2 && DEN <= 10 )) || fail "denominator $DEN has no diagram"
    (( NUM >= 1 && NUM <= DEN )) || fail "numerator $NUM out of 1..$DEN"
    (( N * NUM % DEN == 0 )) || fail "$NUM/$DEN of $N is not a whole number"
    ANSWER=$(( N * NUM / DEN ))
}

# ---- Screenshots -------------------------------------------------------------

# Client area of a window: sets WX WY WW WH (screen pixels).
window_geometry() {
    local info
    info=$(timeout 10 xwininfo -id "$1") || fail "xwininfo failed on window $1"
    WX=$(awk -F: '/Absolute upper-left X/ {print $2+0}' <<<"$info")
    WY=$(awk -F: '/Absolute upper-left Y/ {print $2+0}' <<<"$info")
    WW=$(awk -F: '/^ *Width/ {print $2+0}' <<<"$info")
    WH=$(awk -F: '/^ *Height/ {print $2+0}' <<<"$info")
    (( WW >= 952 && WH >= 667 )) || fail "window $1 is ${WW}x${WH}, smaller than the game's 952x667"
}

SHOT_COUNT=0
screenshot() {
    SHOT_COUNT=$(( SHOT_COUNT + 1 ))
    LAST_SHOT=$WORK/shot-$SHOT_COUNT.png
    timeout 20 import -window root "$LAST_SHOT" || fail "import could not take a screenshot"
}

# The diagram: a row of d pieces from x = 96 px of the client area, 33 px
# tall, whose top lies 256 px below the menu bar; the first n filled light
# green, the others cyan, each with a one-pixel border. The menu bar's height
# is not known here, so the band is searched for below y = 256.
DIAGRAM_PROBLEM=""
diagram_shows() { # num den
    local num=$1 den=$2 x0=$(( WX + 80 )) y0=$(( WY + 256 ))
    DIAGRAM_PROBLEM=$(convert "$LAST_SHOT" -crop "460x120+$x0+$y0" +repage -depth 8 txt:- |
        awk -v n="$num" -v d="$den" -v left=80 -v G="$SHADED" -v C="$UNSHADED" '
        /^#/ { next }
        {
            split($1, xy, /[,:]/); x = xy[1] + 0; y = xy[2] + 0
            c = ($3 == G) ? "G" : ($3 == C) ? "C" : "."
            row[y] = row[y] c
            if (c != ".") {
                if (top == "") top = y
                bottom = y
                if (x + left < 95 || x + left > 520) stray = stray " " (x + left) "," y
            }
        }
        END {
            if (top == "") { print "no light-green or cyan piece below the menu bar"; exit }
            if (stray != "") { print "piece colours outside x = 95..520:" substr(stray, 1, 80); exit }
            rows = bottom - top + 1
            if (rows < 29 || rows > 33) { print "the pieces are " rows " px tall, not 31 inside the border"; exit }
            for (y = top; y <= bottom; y++)
                if (row[y] !~ /[GC]/) { print "a gap across the pieces at row " y; exit }
            if (top - 1 > 100) { print "the pieces start " top - 1 " px lower than expected"; exit }
            mid = int((top + bottom) / 2); r = row[mid]
            greens = 0; cyans = 0; k = 0
            for (x = 1; x <= length(r); x++) {
                c = substr(r, x, 1)
                if (c != "." && c != prev) { k++; start[k] = x - 1; kind[k] = c }
                if (c != ".") stop[k] = x - 1
                prev = c
            }
            order = ""
            for (i = 1; i <= k; i++) { order = order kind[i]; if (kind[i] == "G") greens++; else cyans++ }
            if (greens != n || cyans != d - n)
                { print "saw " greens " light-green and " cyans " cyan pieces (" order "), not " n " and " d - n; exit }
            if (order !~ /^G*C*$/) { print "light-green pieces do not all come first: " order; exit }
            first = start[1] + left; last = stop[k] + left
            if (first < 95 || first > 99) { print "the first piece starts at x = " first ", not 97"; exit }
            if (last < 505 || last > 520) { print "the last piece ends at x = " last ", not near 516"; exit }
            avg = (last - first + 1) / d
            for (i = 1; i <= k; i++) {
                w = stop[i] - start[i] + 1
                if (w < 0.6 * avg || w > 1.4 * avg) { print "piece " i " is " w " px wide, the average " int(avg); exit }
            }
            printf "ok: %d+%d pieces from x=%d to %d, menu bar %d px\n", greens, cyans, first, last, top - 1
        }')
    [[ $DIAGRAM_PROBLEM == ok:* ]]
}

BACKGROUND_PROBLEM=""
background_shows() {
    local most
    most=$(convert "$LAST_SHOT" -crop "${WW}x${WH}+$WX+$WY" +repage -depth 8 -format %c histogram:info:- |
        sort -rn | head -n1 | grep -o '#[0-9A-Fa-f]\{6\}' | head -n1)
    if [[ ${most^^} != "$BACKGROUND" ]]; then
        BACKGROUND_PROBLEM="the commonest colour of the window is $most, not the light yellow $BACKGROUND"
        return 1
    fi
    # Between the verdict and the diagram, and right of everything.
    local spot colour
    for spot in "300,232" "900,300" "900,600" "20,660"; do
        colour=$(convert "$LAST_SHOT" -depth 8 -format "%[hex:p{$(( WX + ${spot%,*} )),$(( WY + ${spot#*,} ))}]" info:-)
        if [[ "#${colour^^}" != "$BACKGROUND" ]]; then
            BACKGROUND_PROBLEM="pixel ($spot) of the window is #$colour, not light yellow"
            return 1
        fi
    done
}

# Screenshots until the window shows the diagram of num/den on its light
# yellow background (it repaints a moment after the readout line).
check_window() { # num den what
    shows() { screenshot && diagram_shows "$1" "$2" && background_shows; }
    local deadline=$(( $(now_ms) + 20000 ))
    until shows "$1" "$2"; do
        (( $(now_ms) < deadline )) || fail "$3: ${DIAGRAM_PROBLEM:-diagram ok} ${BACKGROUND_PROBLEM} (screenshot $LAST_SHOT)"
        sleep 0.2
    done
    step "$3: $DIAGRAM_PROBLEM; light-yellow background ($LAST_SHOT)"
}

# ---- The game ----------------------------------------------------------------

start_display

step "starting $GAME"
mkdir -p "$WORK/data" "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"
env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_ENABLE_HIGHDPI_SCALING \
    -u QT_STYLE_OVERRIDE -u QT_QPA_PLATFORMTHEME \
    QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 HOME="$WORK/home" \
    XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache" \
    XDG_RUNTIME_DIR="$WORK/runtime" QUOTELLO_READOUT="$READOUT" \
    "$GAME" </dev/null >"$GAME_LOG" 2>&1 &
GAME_PID=$!

find_window 60 '^Quotello$'
prompt=$FOUND
step "name prompt is up (window $prompt)"
xdo type --delay 30 -- "Mario"
xdo key Return
wait_for 20 "name prompt to close" gone '^Quotello$' "$prompt"

find_window 20 '^Quotello$' "$prompt"
step "greeting is up (window $FOUND)"
xdo key Return

find_window 30 '^Quotellare$'
game=$FOUND
step "game window is up (window $game)"
wait_for 20 "first exercise in the readout" has_lines 1
parse_exercise "$(readout_line 1)"
step "first exercise: $NUM/$DEN of $N = $ANSWER"

xdo type --delay 30 -- "$ANSWER"
xdo key Return
wait_for 20 "verdict in the readout" has_lines 2
verdict=$(readout_line 2)
[[ $verdict == "verdict Esatto, è incredibile!!! | 1 0 1" ]] || fail "unexpected verdict line: '$verdict'"
step "verdict: $verdict"

window_geometry "$game"
step "client area ${WW}x${WH} at ${WX},${WY}"
check_window "$NUM" "$DEN" "after the right answer"
if [[ -n $SHOT_COPY ]]; then
    cp -- "$LAST_SHOT" "$SHOT_COPY"
    step "screenshot copied to $SHOT_COPY"
fi

xdo key Return
wait_for 20 "second exercise in the readout" has_lines 3
parse_exercise "$(readout_line 3)"
step "second exercise: $NUM/$DEN of $N"
check_window "$NUM" "$DEN" "second exercise"

# Leaving: a plain Enter answers No and the game goes on.
xdo key alt+x
find_window 20 '^Uscire dal programma$'
step "asked whether to leave (window $FOUND); Enter answers No"
xdo key Return
wait_for 20 "question to close" gone '^Uscire dal programma$' "$FOUND"
no_goodbye() { [[ -z $(windows_named '^Data ') ]] || fail "Enter on the question answered Sì: the goodbye box is up"; }
back_in_game() { no_goodbye && focused_window_named '^Quotellare$'; }
wait_for 20 "game window focused again" back_in_game
no_goodbye

xdo key alt+x
find_window 20 '^Uscire dal programma$'
step "asked again (window $FOUND); Alt+S answers Sì"
xdo key alt+s
find_window 20 '^Data '
step "goodbye box is up: $(xdo getwindowname "$FOUND")"
xdo key Return

pid=$GAME_PID
GAME_PID="" # from here on the game is expected to end
deadline=$(( $(now_ms) + 10000 ))
while kill -0 "$pid" 2>/dev/null; do
    (( $(now_ms) < deadline )) || { GAME_PID=$pid; fail "the game still runs 10 s after the goodbye box"; }
    sleep 0.1
done
status=0
wait "$pid" || status=$?
(( status == 0 )) || fail "the game exited with status $status"
step "the game exited with status 0"

(( $(readout_lines) == 3 )) || fail "the readout has $(readout_lines) lines, expected 3"
for f in fravis.txt nfravis.txt; do
    path=$WORK/data/Quotello/$f
    [[ -f $path ]] || fail "record file $path was not created"
    [[ ! -s $path ]] || fail "record file $path is not empty: $(head -c 200 "$path")"
done
step "record files created, empty"

PASSED=1
step "PASSED"
