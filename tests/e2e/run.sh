#!/usr/bin/env bash
# Runs the end-to-end tests: Quorlan.exe and the driver under Wine, on a private virtual
# display started and stopped here. Usage: run.sh <Windows build folder> [test name part]
# QUORLAN_DRIVER names another driver of the build folder (the latency benchmark's).
# QUORLAN_MONITORS=2 runs them on two monitors instead: Xorg's dummy driver, the primary
# 1280x800 at the origin and a 1024x768 one left of it and 100 pixels lower.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/quorlan-e2e-XXXXXX)
display=:$((90 + RANDOM % 100))

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export DISPLAY=$display

if [ "${QUORLAN_MONITORS:-1}" = 2 ]; then
    cat >"$work/xorg.conf" <<'EOF2'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
    Option "Monitor-DUMMY0" "m0"
    Option "Monitor-DUMMY1" "m1"
EndSection
Section "Monitor"
    Identifier "m0"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Option "PreferredMode" "1280x800"
    Option "Primary" "true"
    Option "Position" "1024 0"
EndSection
Section "Monitor"
    Identifier "m1"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Option "PreferredMode" "1024x768"
    Option "Enable" "true"
    Option "Position" "0 100"
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "m0"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 3000 1200
    EndSubSection
EndSection
EOF2
    Xorg "$display" -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" \
        >/dev/null 2>&1 &
else
    Xvfb "$display" -screen 0 "${QUORLAN_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
fi
xvfb=$!
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do
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
