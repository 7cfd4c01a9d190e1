#!/usr/bin/env bash
# Kills Quorlan.exe under Wine at random moments of a capture's save and of a settings save, and
# reports what each kill left (the old file or the new one, never a torn one) and whether any
# temporary file outlived the next start. Usage: tools/kill-trials.sh [trials, default 50]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows -j2 >/dev/null
QUORLAN_DRIVER=QuorlanKillTrials.exe bash tests/e2e/run.sh build/windows "${1:-50}"
