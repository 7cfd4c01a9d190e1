#!/usr/bin/env bash
# Builds the benchmarks (release) and runs them: medians of five repetitions, then every
# result as a ratio to its anchor measured in the same run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j2 --target quorlan_bench
build/native/bench/quorlan_bench --benchmark_repetitions=5 --benchmark_min_time=0.3 \
    --benchmark_report_aggregates_only=true "$@"
