# Sourced by scripts/test.sh: makes N independent places for Wine tests to run side by side,
# each with its own X display and its own Wine prefix (so its own wineserver, focus and
# registry). Slot 0 is the current display and the checkout's prefix; slots 1..N-1 get an
# Xvfb of their own and a copy of that prefix. scripts/wine-exec.sh takes a free slot for
# each test it runs (a lock file per slot), so ctest -j N runs N Wine tests at once.
#   wine_slots_start <N>   needs DISPLAY and a made prefix (scripts/wine-prefix.sh)
#   wine_slots_stop        ends the slots' wineservers and displays

wine_slot_pids=()

wine_slots_start() {
  local n=$1 i base dir pid display
  base=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build
  export TABIRA_WINE_SLOTS=$n
  export TABIRA_WINE_SLOT_LOCKS=$base/wine-slots
  mkdir -p "$TABIRA_WINE_SLOT_LOCKS"
  export TABIRA_WINE_SLOT_DISPLAY_0=$DISPLAY
  export TABIRA_WINE_SLOT_PREFIX_0=$WINEPREFIX
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w || true
  for ((i = 1; i < n; i++)); do
    dir=$base/wineprefix-slot$i
    # A copy is quicker than a new prefix and starts with the same settings.
    if [ ! -f "$dir/.tabira-prefix-v1" ] || [ "$WINEPREFIX/.tabira-prefix-v1" -nt "$dir/.tabira-prefix-v1" ]; then
      rm -rf "$dir"
      cp -a "$WINEPREFIX" "$dir"
    fi
    # Xvfb writes its display number to descriptor 3 once it listens.
    local out=$TABIRA_WINE_SLOT_LOCKS/display$i
    rm -f "$out"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out" </dev/null >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.1; done
    display=$(head -1 "$out")
    [ -n "$display" ] || { echo "wine-slots: Xvfb for slot $i did not start" >&2; return 1; }
    wine_slot_pids+=("$pid")
    export "TABIRA_WINE_SLOT_DISPLAY_$i=:$display"
    export "TABIRA_WINE_SLOT_PREFIX_$i=$dir"
  done
  for ((i = 0; i < n; i++)); do
    local d p
    d=TABIRA_WINE_SLOT_DISPLAY_$i; p=TABIRA_WINE_SLOT_PREFIX_$i
    # A persistent wineserver and Wine's helper processes, started detached so that they
    # hold neither ctest's output pipe nor a slot's lock.
    DISPLAY=${!d} WINEPREFIX=${!p} wineserver -p </dev/null >/dev/null 2>&1
    DISPLAY=${!d} WINEPREFIX=${!p} wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  done
}

wine_slots_stop() {
  local i p
  for ((i = 0; i < ${TABIRA_WINE_SLOTS:-0}; i++)); do
    p=TABIRA_WINE_SLOT_PREFIX_$i
    WINEPREFIX=${!p} wineserver -k >/dev/null 2>&1 || true
  done
  for pid in "${wine_slot_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
}
