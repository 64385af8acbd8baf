#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs one test executable under Wine in the
# checkout's own prefix (made by scripts/wine-prefix.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no DISPLAY; Wine tests need an X server (scripts/test.sh starts Xvfb)" >&2
  exit 1
fi
exec wine "$@"
