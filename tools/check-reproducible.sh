#!/usr/bin/env bash
# Builds Quorlan.exe a second time, from a copy of the sources in another folder and with the
# clock three days on (libraries cross-built again too), and fails unless it has the same bytes
# as the given one. Usage: check-reproducible.sh EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
first=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
other=$(mktemp -d /tmp/quorlan-again-XXXXXX)
trap 'rm -rf "$other"' EXIT
tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$other" -xf -
later=(env NO_FAKE_STAT=1 faketime -f +3d) # the files keep their own times
"${later[@]}" cmake -S "$other" -B "$other/out" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$other/cmake/mingw-w64-x86_64.cmake" >/dev/null
"${later[@]}" cmake --build "$other/out" -j2 --target Quorlan >/dev/null
sha256sum "$first" "$other/out/Quorlan.exe"
if ! cmp -s "$first" "$other/out/Quorlan.exe"; then
    echo "Quorlan.exe differs between two builds of the same sources" >&2
    exit 1
fi
echo "Quorlan.exe is the same, byte for byte, from a second build in another folder three days on"
