#!/usr/bin/env bash
# Builds the benchmarks in Release mode and runs them. Arguments go to the
# benchmark program, e.g.:
#   scripts/bench.sh --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTEDS_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target teds_bench -j "$(nproc)"
exec "$build/bench/teds_bench" "$@"
