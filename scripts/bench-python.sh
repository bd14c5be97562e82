#!/usr/bin/env bash
# Builds the benchmarks and the Python package in Release and sets the
# package's reading and scaling against the same work done from C++.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTEDS_BUILD_TESTS=OFF -DTEDS_BUILD_PYTHON=ON >/dev/null
cmake --build "$build" --target teds_bench teds_python_native -j "$(nproc)"
PYTHONPATH="$PWD/$build/python" exec /usr/bin/python3 bench/python_bench.py "$build/bench/teds_bench"
