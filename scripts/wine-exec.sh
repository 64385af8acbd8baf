#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs one test executable under Wine in the
# checkout's own prefix (made by scripts/wine-prefix.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no DISPLAY; Wine tests need an X server (scripts/test.sh starts Xvfb)" >&2
  exit 1
fi
# TABIRA_LOOK=classic runs the program with the visual style switched off (themed: on);
# the prefix is left with it on, as a new prefix has it.
if [ -n "${TABIRA_LOOK:-}" ]; then
  key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
  active=1
  [ "$TABIRA_LOOK" = classic ] && active=0
  wine reg add "$key" /v ThemeActive /t REG_SZ /d "$active" /f >/dev/null 2>&1
  rc=0
  wine "$@" || rc=$?
  [ "$active" = 1 ] || wine reg add "$key" /v ThemeActive /t REG_SZ /d 1 /f >/dev/null 2>&1
  exit "$rc"
fi
exec wine "$@"
