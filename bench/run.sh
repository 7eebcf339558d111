#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game side by side with a bare Qt Widgets program
# (bench/minimal) and prints one table:
#
#   - time from exec to the first box on the X server (game: the name prompt;
#     bare program: its 952x667 window), median of RUNS runs each;
#   - peak resident memory (GNU time's "Maximum resident set size") of a game
#     played up to its window and left through Alt+X, and of the bare program
#     up to its first paint;
#   - posing an exercise and checking an answer inside the process
#     (bench_inprocess, offscreen), median of REPS each;
#   - how often the idle game wakes up once its window is up: its main
#     loop's poll calls that returned after sleeping, and all its poll-family
#     calls, under strace -f; the context switches of all its threads, from
#     /proc; each over IDLE_SECONDS, and again with the focus moved off the
#     answer box, where the caret blinks.
#
# The start-up runs use Xvfb with no window manager, so both programs' first
# window is a child of the root window (bench/firstmap watches for it); the
# other runs add openbox, as a player's desktop would.
#
# Run by hand from anywhere: bash bench/run.sh   (RUNS=20 REPS=2000 IDLE_SECONDS=10)
# It configures its own build in build-bench/ with -DQUOTELLO_BENCH=ON and
# works in a temporary folder it removes at the end (KEEP=1 keeps it).
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$PWD
RUNS=${RUNS:-20}
REPS=${REPS:-2000}
IDLE_SECONDS=${IDLE_SECONDS:-10}
BUILD=$ROOT/build-bench

for tool in cmake Xvfb openbox xdotool strace /usr/bin/time timeout; do
    command -v "$tool" >/dev/null || { echo "bench: $tool is missing (run tools/setup.sh)" >&2; exit 1; }
done

echo "bench: building in $BUILD" >&2
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOTELLO_BENCH=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target quotello bench_inprocess quotello_minimal firstmap >/dev/null

GAME=$BUILD/quotello
MINIMAL=$BUILD/bench/minimal/quotello_minimal
FIRSTMAP=$BUILD/bench/firstmap
INPROCESS=$BUILD/bench/bench_inprocess

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quotello-bench.XXXXXX")
XVFB_PID="" WM_PID="" RUN_PID=""

log() { printf 'bench: %s\n' "$*" >&2; }
die() { printf 'bench: FAILED: %s (files in %s)\n' "$*" "$WORK" >&2; KEEP=1; exit 1; }

# shellcheck source=../tools/processes.sh
source "$ROOT/tools/processes.sh"

cleanup() {
    stop "$RUN_PID"
    stop "$WM_PID"
    stop "$XVFB_PID"
    if [[ ${KEEP:-0} == 1 ]]; then log "kept $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT
trap 'die interrupted' INT TERM

wait_for() { # SECONDS WHAT COMMAND...
    local limit=$1 what=$2
    shift 2
    local deadline=$(( $(now_ms) + limit * 1000 ))
    until "$@"; do
        (( $(now_ms) < deadline )) || die "no $what within $limit s"
        sleep 0.05
    done
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Both programs run in the same clean environment.
mkdir -p "$WORK/home" "$WORK/data" "$WORK/config" "$WORK/cache" "$WORK/runtime"
chmod 700 "$WORK/runtime"
run_env=(env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_ENABLE_HIGHDPI_SCALING
         -u QT_STYLE_OVERRIDE -u QT_QPA_PLATFORMTHEME
         QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 HOME="$WORK/home" XDG_DATA_HOME="$WORK/data"
         XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache" XDG_RUNTIME_DIR="$WORK/runtime")

# ---- X server ----------------------------------------------------------------

: >"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
display_ready() { [[ $(wc -l <"$WORK/display") -ge 1 ]]; }
wait_for 30 "X server" display_ready
export DISPLAY=":$(head -n1 "$WORK/display")"
log "X server on $DISPLAY; load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) CPUs"

# ---- Start-up: exec to first box, no window manager ---------------------------

first_map() { # label title firstmap-options... -- program
    local label=$1 title=$2
    shift 2
    local us
    us=$("${run_env[@]}" "$FIRSTMAP" "$@" 2>>"$WORK/firstmap.log") ||
        die "$label: no window \"$title\" ($(tail -n1 "$WORK/firstmap.log"))"
    echo "$us"
}
start_game() { first_map game Quotello Quotello 30 -- "$GAME"; }
start_minimal() { first_map minimal Minimal --wait-exit Minimal 30 -- "$MINIMAL"; }

log "start-up: 2 warm-up runs, then $RUNS runs of each, alternating"
for _ in 1 2; do start_game >/dev/null; start_minimal >/dev/null; done
: >"$WORK/start-game" ; : >"$WORK/start-minimal"
for i in $(seq "$RUNS"); do
    start_game >>"$WORK/start-game"
    start_minimal >>"$WORK/start-minimal"
done
# Each line: wall-clock us, processor us of all threads (-1: unknown).
ms() { awk '{ printf "%.1f", $1 / 1000 }'; }
start_game_ms=$(cut -d' ' -f1 "$WORK/start-game" | median | ms)
start_min_ms=$(cut -d' ' -f1 "$WORK/start-minimal" | median | ms)
fastest_game_ms=$(cut -d' ' -f1 "$WORK/start-game" | sort -n | head -n1 | ms)
fastest_min_ms=$(cut -d' ' -f1 "$WORK/start-minimal" | sort -n | head -n1 | ms)
cpu_game_ms=$(cut -d' ' -f2 "$WORK/start-game" | awk '$1 >= 0' | median | ms) || cpu_game_ms=-
cpu_min_ms=$(cut -d' ' -f2 "$WORK/start-minimal" | awk '$1 >= 0' | median | ms) || cpu_min_ms=-
log "start-up game (ms wall):    $(cut -d' ' -f1 "$WORK/start-game" | awk '{ printf "%.0f ", $1 / 1000 }')"
log "start-up minimal (ms wall): $(cut -d' ' -f1 "$WORK/start-minimal" | awk '{ printf "%.0f ", $1 / 1000 }')"

# ---- With a window manager: memory and idle wake-ups ---------------------------

XDG_CONFIG_HOME=$WORK/config XDG_CACHE_HOME=$WORK/cache openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
wm_ready() { timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 30 "window manager" wm_ready

xdo() { timeout 10 xdotool "$@"; }
active_named() { # pattern [id-to-skip]: the focused window has that title
    local active id
    active=$(xdo getactivewindow 2>/dev/null) || return 1
    for id in $(xdo search --onlyvisible --name "$1" 2>/dev/null || true); do
        [[ $id != "${2:-}" && $id == "$active" ]] && { FOUND=$id; return 0; }
    done
    return 1
}

# Plays the game started as RUN_PID up to its first exercise: a name, Enter,
# Enter on the greeting.
play_to_window() {
    wait_for 30 "name prompt" active_named '^Quotello$'
    local prompt=$FOUND
    xdo type --delay 20 -- Bench
    xdo key Return
    wait_for 20 "greeting" active_named '^Quotello$' "$prompt"
    xdo key Return
    wait_for 20 "game window" active_named '^Quotellare$'
}
leave_game() { # Alt+X, Sì, OK
    xdo key alt+x
    wait_for 20 "question" active_named '^Uscire dal programma$'
    xdo key alt+s
    wait_for 20 "goodbye box" active_named '^Data '
    xdo key Return
}
wait_exit() { # seconds
    local deadline=$(( $(now_ms) + $1 * 1000 ))
    while kill -0 "$RUN_PID" 2>/dev/null; do
        (( $(now_ms) < deadline )) || die "process $RUN_PID did not end"
        sleep 0.05
    done
    wait "$RUN_PID" || die "process $RUN_PID ended with status $?"
    RUN_PID=""
}
max_rss_kib() { awk -F: '/Maximum resident set size/ { print $2 + 0 }' "$1"; }

log "memory: 3 runs of each"
: >"$WORK/rss-game"; : >"$WORK/rss-minimal"
for i in 1 2 3; do
    "${run_env[@]}" /usr/bin/time -v -o "$WORK/time-game-$i" "$GAME" \
        </dev/null >>"$WORK/game.log" 2>&1 &
    RUN_PID=$!
    play_to_window
    sleep 1 # let it paint the whole window
    leave_game
    wait_exit 20
    max_rss_kib "$WORK/time-game-$i" >>"$WORK/rss-game"

    "${run_env[@]}" /usr/bin/time -v -o "$WORK/time-minimal-$i" "$MINIMAL" </dev/null >>"$WORK/minimal.log" 2>&1 &
    RUN_PID=$!
    wait_exit 30
    max_rss_kib "$WORK/time-minimal-$i" >>"$WORK/rss-minimal"
done
rss_game=$(median <"$WORK/rss-game")
rss_min=$(median <"$WORK/rss-minimal")
log "peak RSS game (KiB): $(tr '\n' ' ' <"$WORK/rss-game")  minimal: $(tr '\n' ' ' <"$WORK/rss-minimal")"

# Voluntary context switches per thread, "tid name count" lines: each one is
# a sleep, ended by a wake-up.
switches() {
    local task
    for task in /proc/"$1"/task/*; do
        awk -v tid="${task##*/}" -v name="$(cat "$task/comm" 2>/dev/null)" \
            '/^voluntary_ctxt_switches/ { print tid, name, $2 }' "$task/status" 2>/dev/null || true
    done
}

# idle PID LABEL: how often the idle program wakes up. Over IDLE_SECONDS,
# from /proc: IDLE_SWITCHES, voluntary context switches/s of all threads.
# Over another IDLE_SECONDS, under strace: IDLE_WAKE, poll-family calls/s of
# the main thread that returned after sleeping (the event loop waking up),
# and IDLE_POLLS, poll-family calls/s of all threads.
idle() {
    local pid=$1 label=$2 trace=$WORK/strace-$2
    sleep 2 # past the first paint and the focus changes
    switches "$pid" >"$WORK/switches-$label-before"
    sleep "$IDLE_SECONDS"
    switches "$pid" >"$WORK/switches-$label-after"
    read -r _ IDLE_SWITCHES < <(awk -v pid="$pid" -v s="$IDLE_SECONDS" '
        NR == FNR { before[$1] = $3; next }
        { d = $3 - before[$1]; all += d; if ($1 == pid) main = d
          printf "bench:     thread %s (%s): %.1f/s\n", $1, $2, d / s > "/dev/stderr" }
        END { printf "%.1f %.1f\n", main / s, all / s }' \
        "$WORK/switches-$label-before" "$WORK/switches-$label-after" 2>"$WORK/switches-$label")
    log "$label idle: $IDLE_SWITCHES context switches/s, all threads:"
    cat "$WORK/switches-$label" >&2

    timeout -s INT "$IDLE_SECONDS" strace -f -qq -T -o "$trace" \
        -e trace=poll,ppoll,select,pselect6,epoll_wait,epoll_pwait -p "$pid" 2>>"$WORK/strace.log" || true
    if grep -q 'ptrace\|Operation not permitted' "$WORK/strace.log" 2>/dev/null; then
        die "strace cannot attach: $(cat "$WORK/strace.log")"
    fi
    [[ -f $trace ]] || die "$label: strace wrote nothing"
    # A call is finished on a line with its result: "... = N <seconds>".
    read -r IDLE_WAKE IDLE_POLLS < <(awk -v pid="$pid" -v s="$IDLE_SECONDS" '/= .*<[0-9.]+>$/ {
            n++; d = $NF; gsub(/[<>]/, "", d); if ($1 == pid && d + 0 >= 0.001) w++ }
        END { printf "%.1f %.1f\n", w / s, n / s }' "$trace")
    log "$label idle: $IDLE_WAKE main-loop wake-ups/s, $IDLE_POLLS poll-family calls/s under strace:"
    awk '/= .*<[0-9.]+>$/ { calls[$1]++; d = $NF; gsub(/[<>]/, "", d); if (d + 0 >= 0.001) slept[$1]++ }
         END { for (t in calls) print t, calls[t], slept[t] + 0 }' "$trace" |
        while read -r tid calls slept; do
            log "    thread $tid ($(cat /proc/"$pid"/task/"$tid"/comm 2>/dev/null || echo gone)): $calls calls in $IDLE_SECONDS s, $slept of them after sleeping >= 1 ms"
        done
}

log "idle game, $IDLE_SECONDS s twice, then twice again with the focus off the answer box"
"${run_env[@]}" "$GAME" </dev/null >>"$WORK/game.log" 2>&1 &
RUN_PID=$!
play_to_window
idle "$RUN_PID" game
idle_wake_game=$IDLE_WAKE idle_polls_game=$IDLE_POLLS idle_sw_game=$IDLE_SWITCHES
# The same with the focus moved off the answer box by Tab: no caret to blink.
xdo key Tab
idle "$RUN_PID" game-no-caret
idle_wake_nocaret=$IDLE_WAKE idle_polls_nocaret=$IDLE_POLLS idle_sw_nocaret=$IDLE_SWITCHES
leave_game
wait_exit 20

log "idle bare program, $IDLE_SECONDS s twice"
"${run_env[@]}" "$MINIMAL" --stay </dev/null >>"$WORK/minimal.log" 2>&1 &
RUN_PID=$!
wait_for 30 "bare window" active_named '^Minimal$'
idle "$RUN_PID" minimal
idle_wake_min=$IDLE_WAKE idle_polls_min=$IDLE_POLLS idle_sw_min=$IDLE_SWITCHES
stop "$RUN_PID"
RUN_PID=""

# ---- Inside the process --------------------------------------------------------

log "in-process: $REPS repetitions"
XDG_DATA_HOME=$WORK/data QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$INPROCESS" "$REPS" \
    >"$WORK/inprocess" 2>>"$WORK/inprocess.log" || die "bench_inprocess failed: $(cat "$WORK/inprocess.log")"
inproc() { awk -v k="$1" '$1 == k { print $2 }' "$WORK/inprocess"; }
log "in-process start-up steps: $(grep '^startup_ms' "$WORK/inprocess" | cut -d' ' -f2-)"

# ---- The table ----------------------------------------------------------------

ok() { awk "BEGIN { exit !($1) }" && echo yes || echo NO; }
div() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 > 0) printf "%.2f", a / b; else printf "-" }'; }
ratio=$(div "$start_game_ms" "$start_min_ms")
rss_game_mib=$(awk -v k="$rss_game" 'BEGIN { printf "%.1f", k / 1024 }')
rss_min_mib=$(awk -v k="$rss_min" 'BEGIN { printf "%.1f", k / 1024 }')
rss_diff=$(awk -v g="$rss_game" -v m="$rss_min" 'BEGIN { printf "%.1f", (g - m) / 1024 }')

rows=(
    "metric|game|minimal|target|ok?"
    "start to first box, median of $RUNS (ms)|$start_game_ms|$start_min_ms|game/minimal <= 1.15 (is $ratio)|$(ok "$ratio <= 1.15")"
    "  fastest of the $RUNS (ms)|$fastest_game_ms|$fastest_min_ms|diagnostic (ratio $(div "$fastest_game_ms" "$fastest_min_ms"))|-"
    "  processor time to first box, median (ms)|$cpu_game_ms|$cpu_min_ms|diagnostic (ratio $(div "$cpu_game_ms" "$cpu_min_ms"))|-"
    "peak resident memory (MiB)|$rss_game_mib|$rss_min_mib|game - minimal <= 10 (is $rss_diff)|$(ok "$rss_diff <= 10")"
    "pose an exercise, median of $REPS (us)|$(inproc pose)|-|< 1000|$(ok "$(inproc pose) < 1000")"
    "check an answer, median of $REPS (us)|$(inproc check)|-|< 1000|$(ok "$(inproc check) < 1000")"
    "pose + its repaint, offscreen (us)|$(inproc pose+paint)|-|< 1000|$(ok "$(inproc pose+paint) < 1000")"
    "check + its repaint, offscreen (us)|$(inproc check+paint)|-|< 1000|$(ok "$(inproc check+paint) < 1000")"
    "idle wake-ups/s (main loop polls that slept, strace -f)|$idle_wake_game|$idle_wake_min|<= 1|$(ok "$idle_wake_game <= 1")"
    "idle poll-family calls/s, all threads (strace -f)|$idle_polls_game|$idle_polls_min|-|-"
    "idle context switches/s, all threads (/proc)|$idle_sw_game|$idle_sw_min|-|-"
    "  the 3 above, focus off the answer box (Tab)|$idle_wake_nocaret / $idle_polls_nocaret / $idle_sw_nocaret|-|diagnostic|-"
)
echo
printf '%s\n' "${rows[@]}" | awk -F'|' '
    { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } }
    END { for (r = 1; r <= NR; r++) {
              line = ""
              for (i = 1; i < NF; i++) line = line sprintf("%-*s | ", w[i], cell[r, i])
              line = line cell[r, NF]
              print line
              if (r == 1) {
                  line = ""
                  for (i = 1; i <= NF; i++) { dash = sprintf("%*s", w[i], ""); gsub(/ /, "-", dash); line = line dash (i < NF ? "-|-" : "") }
                  print line
              }
          } }'
