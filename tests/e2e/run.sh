#!/usr/bin/env bash
# Runs the end-to-end tests: Quorlan.exe and the driver under Wine, on a private virtual
# display started and stopped here. Usage: run.sh <Windows build folder> [test name part]
# QUORLAN_DRIVER names another driver of the build folder (the latency benchmark's).
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/quorlan-e2e-XXXXXX)
display=:$((90 + RANDOM % 100))

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export DISPLAY=$display

Xvfb "$display" -screen 0 "${QUORLAN_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
fi
# There is no window manager on this display: Wine would otherwise wait 2 s for one on every
# window it hides.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w

mkdir -p "$work/app" "$work/pictures"
cp "$build/Quorlan.exe" "$work/app/"
winpath() { echo "Z:${1//\//\\}"; }
timeout 900 wine "$build/${QUORLAN_DRIVER:-QuorlanE2E.exe}" "$(winpath "$work/app")" "$(winpath "$work/pictures")" "${@:2}" 2>/dev/null
