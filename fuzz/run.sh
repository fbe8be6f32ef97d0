#!/usr/bin/env bash
# Builds the fuzz harness with AFL++ under AddressSanitizer and
# UndefinedBehaviorSanitizer, and fuzzes one harness or all of them.
#
# usage: fuzz/run.sh <options|dump|format|formatted|compare|all> <seconds per harness>
#
# Findings go to $FUZZ_OUT (default build-fuzz-afl/out/<harness>). The script
# fails when a harness found a crash or a hang; replay one with
#   VESK_FUZZ_KEEP=/tmp/replay build-fuzz-afl/vesk_fuzz <harness> <finding>
# which writes the input files there and prints the vesk command line.
set -euo pipefail
cd "$(dirname "$0")/.."

HARNESSES="options dump format formatted compare"
which=${1:-all}
seconds=${2:-30}
BUILD=${FUZZ_BUILD:-build-fuzz-afl}
OUT=${FUZZ_OUT:-$BUILD/out}
[ "$which" = all ] && which=$HARNESSES

if ! command -v afl-fuzz >/dev/null || ! command -v afl-clang-fast++ >/dev/null; then
  echo "installing afl++"
  apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q afl++ >/dev/null
fi
command -v cmake >/dev/null || ./tools/install-deps.sh

# The harness calls vesk's own code; both are instrumented and sanitized.
export AFL_USE_ASAN=1 AFL_USE_UBSAN=1 AFL_QUIET=1
export CXX=afl-clang-fast++
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target vesk_core -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
afl-clang-fast++ -std=c++20 -O1 -g -Wall -Wextra -Isrc fuzz/harness.cpp \
  "$BUILD/libvesk_core.a" -o "$BUILD/vesk_fuzz"
unset AFL_USE_ASAN AFL_USE_UBSAN CXX

# Quiet, unattended runs: no CPU frequency or core-pattern checks, no pinning to a core.
export AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_NO_AFFINITY=1
export AFL_NO_UI=1
export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:symbolize=0

status=0
for h in $which; do
  out="$OUT/$h"
  rm -rf "$out"
  mkdir -p "$out"
  echo "fuzzing $h for $seconds s"
  # -t: an input running longer than 5 s is a hang (inputs are small: the
  # slowest seen take a few ms); -m none: ASan reserves much memory.
  if ! afl-fuzz -i "fuzz/corpus/$h" -o "$out" -V "$seconds" -t 5000 -m none \
       -- "$BUILD/vesk_fuzz" "$h" @@ </dev/null >"$out/afl.log" 2>&1; then
    echo "afl-fuzz failed on $h:"
    tail -30 "$out/afl.log"
    status=1
    continue
  fi
  stats="$out/default/fuzzer_stats"
  execs=$(awk -F' *: *' '$1=="execs_done"{print $2}' "$stats")
  crashes=$(find "$out/default/crashes" -name 'id:*' | wc -l)
  hangs=$(find "$out/default/hangs" -name 'id:*' | wc -l)
  echo "$h: $execs execs, $crashes crashes, $hangs hangs"
  if [ "$crashes" -gt 0 ] || [ "$hangs" -gt 0 ]; then
    find "$out/default/crashes" "$out/default/hangs" -name 'id:*' | head -5
    # The first finding: its command line and the sanitizer's report.
    first=$(find "$out/default/crashes" "$out/default/hangs" -name 'id:*' | head -1)
    keep=$(mktemp -d)
    VESK_FUZZ_KEEP=$keep "$BUILD/vesk_fuzz" "$h" "$first" || true
    ASAN_OPTIONS=symbolize=1:detect_leaks=0:handle_sigill=1 UBSAN_OPTIONS=print_stacktrace=1:symbolize=1 \
      timeout 10 "$BUILD/vesk_fuzz" "$h" "$first" >/dev/null 2>"$keep/report.txt" || true
    head -40 "$keep/report.txt"
    status=1
  fi
done
exit $status
