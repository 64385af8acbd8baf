#!/usr/bin/env bash
# Runs the Windows build's benchmark programs under Wine (scripts/bench.sh calls this after
# building). Needs DISPLAY.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
scripts/wine-prefix.sh
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
for b in build/win/bin/bench_*.exe; do
  [ -f "$b" ] || continue
  echo "== $(basename "$b") (Wine)"
  wine "$b" </dev/null
done
