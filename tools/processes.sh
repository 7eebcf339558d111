# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Shell helpers shared by the scripts that start programs of their own
# (tests/smoke/run.sh, bench/run.sh). Source it from bash.

# stop PID: ends a process the script started, politely first, and reaps it.
stop() {
    local pid=$1
    [[ -n $pid ]] || return 0
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}

# now_ms: milliseconds since the epoch, for deadlines.
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
