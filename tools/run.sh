#!/usr/bin/env bash
# Builds Quorlan.exe and starts it under Wine: on $DISPLAY when there is one, otherwise on a
# private virtual display started here and stopped when Quorlan ends. Run as root on Debian 12.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/install-deps.sh
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build build/windows -j2 --target Quorlan

export WINEPREFIX="$root/build/windows/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8

xvfb=""
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:$((90 + RANDOM % 100))
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null || true' EXIT
    sleep 1
    echo "No display: Quorlan runs on the virtual display $DISPLAY."
fi
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
# Windows are left to the window manager, except on the private display, which has none (Wine
# would wait for one on every window it hides).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$([ -n "$xvfb" ] && echo N || echo Y)" \
    /f >/dev/null 2>&1

# Quorlan keeps its settings beside the exe: it runs from a folder of its own.
mkdir -p build/run
cp build/windows/Quorlan.exe build/run/
echo "Starting build/run/Quorlan.exe (its settings file is build/run/Quorlan.ini)."
wine build/run/Quorlan.exe
wineserver -w
