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

# The Windows benchmarks run under Wine (in Xvfb when there is no display).
if [ "${TABIRA_BENCH_WINE:-1}" = 1 ]; then
  scripts/ensure-packages.sh run
  cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/toolchain-mingw64.cmake" >/dev/null
  cmake --build build/win -j "$(nproc)"
  run_wine_benchmarks() {
    source scripts/wine-env.sh
    scripts/wine-prefix.sh
    for b in build/win/bin/bench_*.exe; do
      [ -f "$b" ] || continue
      echo "== $(basename "$b") (Wine)"
      wine "$b" </dev/null
    done
    wineserver -k || true
  }
  if [ -n "${DISPLAY:-}" ]; then
    run_wine_benchmarks
  else
    export -f run_wine_benchmarks
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c run_wine_benchmarks
  fi
fi
