#!/usr/bin/env bash
# Builds and runs every test:
#   1. native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   2. libFuzzer targets, each for a few seconds
#   3. the Windows build (tabira.exe and the Win32 tests) under Wine, in Xvfb when
#      there is no display
# Exits non-zero on any failure; the last line is the summary over all three. The configure
# lines are the presets in CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-packages.sh test

if [ -z "${DISPLAY:-}" ] && [ -z "${TABIRA_IN_XVFB:-}" ]; then
  export TABIRA_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

jobs=$(nproc)
summary=()
total=0
failed=0

run_ctest() { # <label> <build dir> [ctest args...]
  local label=$1 dir=$2; shift 2
  local log="$dir/ctest.log" rc=0
  (cd "$dir" && ctest --output-on-failure --timeout 300 "$@") 2>&1 | tee "$log" || rc=$?
  local line n f
  line=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -1 || true)
  if [ -z "$line" ] && grep -q "No tests were found" "$log"; then
    summary+=("$label: no tests")
    return
  fi
  if [ -z "$line" ]; then
    echo "$label: ctest printed no summary" >&2
    failed=$((failed + 1)); total=$((total + 1))
    summary+=("$label: no summary")
    return
  fi
  n=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  f=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
  total=$((total + n)); failed=$((failed + f))
  [ "$rc" -ne 0 ] && [ "$f" -eq 0 ] && failed=$((failed + 1))
  summary+=("$label: $((n - f)) passed, $f failed")
}

echo "== native build (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build build/native -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_ctest native build/native -j "$jobs"

echo "== fuzz build (clang, libFuzzer)"
cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "$jobs"
run_ctest fuzz build/fuzz -L fuzz -j "$jobs"

echo "== Windows build (MinGW-w64) and Wine tests"
# The test tree is optimised lightly and not across units: compiling at the shipped level and
# linking every test with link-time optimisation would cost most of the run (scripts/run.sh
# and scripts/dist.sh build the program that way, in build/win).
cmake --preset wtest >/dev/null
cmake --build build/wtest -j "$jobs"
source scripts/wine-env.sh
scripts/wine-prefix.sh
# GUI tests move the focus and inject input, so no two share a display or a wineserver:
# each of the slots has its own (scripts/wine-slots.sh), and ctest runs one test a slot.
# Most of a Wine test's time is waiting for messages and timers, so the slots outnumber
# the cores.
source scripts/wine-slots.sh
wine_jobs=${TABIRA_WINE_JOBS:-3}
trap 'wine_slots_stop' EXIT
wine_slots_start "$wine_jobs"
run_ctest wine build/wtest -j "$wine_jobs"

echo
printf '%s\n' "${summary[@]}"
passed=$((total - failed))
pct=100
[ "$total" -gt 0 ] && pct=$((passed * 100 / total))
echo "${pct}% tests passed, ${failed} tests failed out of ${total}"
[ "$failed" -eq 0 ]
