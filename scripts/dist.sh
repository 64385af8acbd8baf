#!/usr/bin/env bash
# Makes the packages for Windows users in dist/: the installer and the portable zip, both
# named with the project version (from CMakeLists.txt), and a SHA-256 checksum file.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/ensure-packages.sh dist

cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" >/dev/null
cmake --build build/win --target tabira_setup tabira_portable -j "$(nproc)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win/CMakeCache.txt)
rm -rf dist
mkdir -p dist
cp "build/win/dist/tabira-$version-setup.exe" "build/win/dist/tabira-$version-portable.zip" dist/
shipped=build/win/installer/shipped/tabira.exe
printf 'tabira.exe: %s bytes shipped (%s bytes as built, with symbols)\n' \
  "$(stat -c %s "$shipped")" "$(stat -c %s build/win/bin/tabira.exe)"
cd dist
sha256sum "tabira-$version-setup.exe" "tabira-$version-portable.zip" > "tabira-$version-sha256.txt"
echo "dist/:"
cat "tabira-$version-sha256.txt"
