#!/usr/bin/env bash
# Installs the Debian packages a command needs, when they are missing.
# Usage: ensure-packages.sh run|test|bench|dist
set -euo pipefail

common=(cmake ninja-build pkg-config
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
        wine wine64 fonts-wine fonts-liberation fonts-urw-base35 xvfb xauth python3)
case "${1:-test}" in
  run)   want=("${common[@]}") ;;
  test)  want=("${common[@]}" g++ googletest libgtest-dev libgmock-dev zlib1g-dev clang-14 libclang-rt-14-dev
               xdotool imagemagick nsis) ;;
  dist)  want=("${common[@]}" googletest nsis) ;;
  bench) want=(cmake ninja-build g++ libbenchmark-dev libpixman-1-dev zlib1g-dev) ;;
  *) echo "usage: $0 run|test|bench|dist" >&2; exit 2 ;;
esac

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]}" >&2
  echo "install them as root (apt-get install ${missing[*]}) or run this command as root" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
