#!/usr/bin/env bash
# The latency benchmark: Quorlan.exe under Wine on a private virtual display of 1920x1080 and
# of 3840x2160, a known frame on the screen, PrintScreen sent by SendInput, and the time until
# the final file is in its place: 24-bit, 8-bit, JPEG and PNG, 10 captures each after a first
# one, which is reported on its own. A benchmark, not a test: CI does not run it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows -j2 >/dev/null
for size in 1920x1080 3840x2160; do
    QUORLAN_SCREEN="${size}x24" QUORLAN_DRIVER=QuorlanLatency.exe bash tests/e2e/run.sh build/windows
done
