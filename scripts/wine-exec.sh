#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs one test executable under Wine in the
# checkout's own prefix (made by scripts/wine-prefix.sh). When scripts/test.sh has made
# several slots (scripts/wine-slots.sh), it waits for a free one and runs there, so tests
# that move the focus or inject input never share a display or a wineserver.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ -n "${TABIRA_WINE_SLOTS:-}" ]; then
  exec 9>/dev/null
  slot=
  while [ -z "$slot" ]; do
    for ((i = 0; i < TABIRA_WINE_SLOTS; i++)); do
      exec 9>"$TABIRA_WINE_SLOT_LOCKS/slot$i.lock"
      if flock -n 9; then slot=$i; break; fi
    done
    [ -n "$slot" ] || sleep 0.2
  done
  d=TABIRA_WINE_SLOT_DISPLAY_$slot; p=TABIRA_WINE_SLOT_PREFIX_$slot
  export DISPLAY=${!d} WINEPREFIX=${!p}
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no DISPLAY; Wine tests need an X server (scripts/test.sh starts Xvfb)" >&2
  exit 1
fi

# Runs Wine without the slot's lock descriptor, so no process Wine leaves behind keeps
# the slot taken.
run_wine() { wine "$@" 9>&-; }

# TABIRA_LOOK=classic runs the program with the visual style switched off; every other test
# gets it on, as a new prefix has it. Set before each test rather than put back after it: a
# test that ctest ends at its timeout would leave the prefix in the classic look.
# The system density is 96 per inch (no LogPixels) unless a test sets it for its own run; a
# test ended at its timeout would otherwise leave its density to the next one. Both settings
# go in one import.
active=1
[ "${TABIRA_LOOK:-}" = classic ] && active=0
settings=$(mktemp --suffix=.reg)
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\n"ThemeActive"="%s"\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=-\n' \
  "$active" >"$settings"
run_wine regedit /S "$settings" >/dev/null 2>&1
rm -f "$settings"
# The test's output goes through a file: a Wine helper process that the test starts on
# demand outlives it and would otherwise hold ctest's pipe open until the timeout.
out=$(mktemp)
rc=0
run_wine "$@" </dev/null >"$out" 2>&1 || rc=$?
cat "$out"
rm -f "$out"
exit "$rc"
