#!/usr/bin/env bash
# The benchmark suite: vesk against xxd, od, hexdump, cmp and diff.
# Installs what it needs, builds vesk (Release), writes the inputs and prints
# Markdown tables of medians, ratios and peak memory. Not a test: it asserts
# nothing about time.
#
#   bench/run.sh                 build into build-bench, inputs in /tmp/vesk-bench
#   BUILD_DIR=dir DATA_DIR=dir REPS=n bench/run.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
data="${DATA_DIR:-${TMPDIR:-/tmp}/vesk-bench}"

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v python3 >/dev/null || need+=(python3)
command -v xxd >/dev/null || need+=(xxd)
command -v hexdump >/dev/null || need+=(bsdextrautils)
command -v od >/dev/null || need+=(coreutils)
command -v cmp >/dev/null || need+=(diffutils)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}" >&2
  apt-get update -q >&2 && DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}" >&2
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVESK_TESTS=OFF >&2
fi
cmake --build "$build" --target vesk -j "$(nproc)" >&2

echo "writing inputs to $data" >&2
python3 "$root/bench/gen_inputs.py" "$data"
python3 "$root/bench/bench.py" "$build/vesk" "$data" --reps "${REPS:-9}" --slow-reps "${SLOW_REPS:-3}"
