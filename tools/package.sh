#!/usr/bin/env bash
# Makes the release for Windows users: dist/Quorlan-<version>-win64.zip with Quorlan.exe, its
# README.txt, LICENSE, THIRD-PARTY-NOTICES.txt and SHA256SUMS. The version is the CMake
# project's; every time stamp comes from the commit, so one commit packs to the same bytes.
# Run as root on Debian 12.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/install-deps.sh

version=$(sed -n 's/^project(Quorlan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}
export SOURCE_DATE_EPOCH
build="$root/build/release"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target Quorlan
zip="$root/dist/Quorlan-$version-win64.zip"
rm -f "$zip"
python3 tools/make-release.py "$build/Quorlan.exe" "$version" "$build" "$zip"
echo "$zip"
