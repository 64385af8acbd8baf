#!/usr/bin/env bash
# Builds the native benchmarks (Release) and runs them; extra arguments go to every
# benchmark program (e.g. --benchmark_filter=Blend).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh bench
cmake --preset bench >/dev/null
cmake --build build/bench -j "$(nproc)"
found=0
for b in build/bench/bin/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b" "$@"
done
[ "$found" -eq 1 ] || { echo "no benchmark programs were built" >&2; exit 1; }

# The Windows benchmarks run under Wine (in Xvfb when there is no display).
if [ "${TABIRA_BENCH_WINE:-1}" = 1 ]; then
  scripts/ensure-packages.sh run
  cmake --preset win >/dev/null
  cmake --build build/win --target win_benchmarks -j "$(nproc)"
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" scripts/wine-bench.sh
  fi
  exec scripts/wine-bench.sh
fi
