#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs each for a
# bounded time, side by side. Any crash, sanitizer report or failed check
# fails the run and leaves the input in $FUZZ_BUILD/artifacts/.
#
#   FUZZ_SECONDS  time for each target (default 60)
#   FUZZ_BUILD    build folder (default build-fuzz)
#
# New inputs the fuzzers find go to a scratch corpus; the seeds kept in
# tests/fuzz/corpus/ (regressions included) are only read, and are all run
# first.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=(answer record_bytes)

# The clang whose runtime libraries tools/setup.sh installs (libFuzzer among them).
cc=clang-14 cxx=clang++-14
command -v "$cxx" >/dev/null || { cc=clang cxx=clang++; }
for tool in "$cc" "$cxx"; do
    command -v "$tool" >/dev/null || { echo "fuzz: $tool is missing (run tools/setup.sh)" >&2; exit 1; }
done

CC=$cc CXX=$cxx cmake -S tests/fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quotello-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
rm -rf "$build/artifacts"
mkdir -p "$build/artifacts"

declare -A pids
for target in "${targets[@]}"; do
    mkdir -p "$scratch/$target"
    # -timeout: one input taking 10 s is a hang; the outer timeout bounds the
    # whole run whatever happens.
    timeout --kill-after=10 $((seconds + 120)) \
        "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$scratch/$target" "tests/fuzz/corpus/$target" \
        </dev/null >"$build/fuzz_$target.log" 2>&1 &
    pids[$target]=$!
done

status=0
for target in "${targets[@]}"; do
    rc=0
    wait "${pids[$target]}" || rc=$?
    log=$build/fuzz_$target.log
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    corpus=$(find "$scratch/$target" -type f | wc -l)
    if (( rc == 0 )); then
        echo "fuzz_$target: ${runs:-?} runs in ${time:-?} s (${rate:-?}/s), no crash; $corpus new inputs"
    else
        status=1
        echo "fuzz_$target: FAILED (exit $rc) after ${runs:-?} runs; last lines of $log:" >&2
        tail -n 60 "$log" >&2
    fi
done
if (( status != 0 )); then
    echo "fuzz: inputs that failed are in $build/artifacts/:" >&2
    ls -l "$build/artifacts" >&2
fi
exit $status
