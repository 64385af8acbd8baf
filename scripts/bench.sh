#!/usr/bin/env bash
# Builds the native benchmarks (Release) and runs them; extra arguments go to every
# benchmark program (e.g. --benchmark_filter=Blend).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABIRA_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)"
found=0
for b in build/bench/bin/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b" "$@"
done
[ "$found" -eq 1 ] || { echo "no benchmark programs were built" >&2; exit 1; }
