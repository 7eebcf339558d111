#!/usr/bin/env bash
# The whole test suite again, built with AddressSanitizer and UBSan. Every
# report, from a test or from any program a test starts, fails the run; only
# the system libraries named in tests/lsan.supp may leak.
# Usage: tests/sanitize/run.sh BUILD_DIR JOBS
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$1
jobs=${2:-2}
root=$PWD

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUOTELLO_SANITIZE=ON
cmake --build "$build" -j "$jobs"

# Reports go to files, so that those of programs the tests start are read too.
reports=$(realpath "$build")/sanitizer-reports
rm -rf "$reports"
mkdir -m 1777 "$reports"

status=0
(
    cd "$build"
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan
    export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
    ctest --output-on-failure -j "$jobs"
) || status=$?

for f in "$reports"/*; do
    [ -e "$f" ] && { echo "==== $f"; cat "$f"; }
done
if grep -l -E 'ERROR: |runtime error:' "$reports"/* 2>/dev/null; then
    echo "sanitize: the sanitizers reported the errors above" >&2
    exit 1
fi
exit "$status"
