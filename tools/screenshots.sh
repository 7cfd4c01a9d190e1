#!/usr/bin/env bash
# Takes the README's pictures from the real Quorlan.exe under Wine on a private virtual display
# and writes them into docs/images/: the tray menu, the options and keys dialogs, the overlay with a
# selection, and the notice after a capture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/install-deps.sh >/dev/null
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows -j2 >/dev/null
mkdir -p docs/images
QUORLAN_DRIVER=QuorlanScreens.exe bash tests/e2e/run.sh build/windows "Z:${root//\//\\}\\docs\\images"
ls -l docs/images
