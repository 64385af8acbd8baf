#!/usr/bin/env bash
# Builds tabira.exe and starts it under Wine, in a virtual desktop on your display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-packages.sh run

if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display (DISPLAY is not set). Tabira is a desktop program; start it from a graphical" >&2
  echo "session, or give it a virtual X server: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi

cmake --preset win >/dev/null
cmake --build build/win --target tabira -j "$(nproc)"
source scripts/wine-env.sh
scripts/wine-prefix.sh
exec wine build/win/bin/tabira.exe
