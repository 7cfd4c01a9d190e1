#!/usr/bin/env bash
# Builds everything and runs every test: the native build with its unit tests, then the
# Windows cross build. Run from anywhere, as root on a fresh Debian 12 machine.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/install-deps.sh

echo "== native build and unit tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release
cmake --build build/native -j2
ctest --test-dir build/native --output-on-failure -j2

echo "== the settings file fuzzed for a minute"
bash tools/fuzz.sh 60

echo "== Windows cross build"
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build build/windows -j2

echo "== the same bytes from a second Windows build in another folder"
bash tools/check-reproducible.sh build/windows/Quorlan.exe

echo "== end-to-end tests under Wine"
bash tests/e2e/run.sh build/windows

echo "== end-to-end tests under Wine on two monitors"
QUORLAN_MONITORS=2 bash tests/e2e/run.sh build/windows

echo "== a few kills at random moments of a save: never a torn file, no temporary left"
bash tools/kill-trials.sh 6
