#!/usr/bin/env bash
# Fuzzes the settings reader and writer with clang's libFuzzer (and AddressSanitizer).
# Usage: tools/fuzz.sh [seconds, default 60]. New findings land in build/fuzz/findings; copy
# any worth keeping into tests/fuzz/corpus, where the unit tests run them every time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
command -v clang++ >/dev/null || { echo "clang++ is not installed" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORLAN_FUZZ=ON -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address" >/dev/null
cmake --build "$root/build/fuzz" --target quorlan_settings_fuzz -j2
mkdir -p "$root/build/fuzz/findings" "$root/build/fuzz/work"
cp "$root"/tests/fuzz/corpus/* "$root/build/fuzz/work/"
"$root/build/fuzz/tests/quorlan_settings_fuzz" -max_total_time="$seconds" -max_len=4096 \
    -artifact_prefix="$root/build/fuzz/findings/" "$root/build/fuzz/work"
