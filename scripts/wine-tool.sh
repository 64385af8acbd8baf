#!/usr/bin/env bash
# Runs a console program of the Windows build under Wine at build time (the skin tool
# packing the skins the packages ship), in the checkout's prefix; it needs no display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine "$@" </dev/null
