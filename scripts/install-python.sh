#!/usr/bin/env bash
# Builds the Python package teds1451 and installs it for Debian's python3,
# with nothing from outside Debian's packages: into the interpreter's folder
# for local packages (/usr/local/lib/python3.X/dist-packages), where
# `import teds1451` finds it. Run it again to update the package.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh --python

build=build/python
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTEDS_BUILD_PYTHON=ON \
  -DTEDS_BUILD_TESTS=OFF -DTEDS_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target teds_python_native >/dev/null
cmake --install "$build" --component python
cd /
/usr/bin/python3 -c 'import teds1451; print("teds1451", teds1451.__version__, "is installed:", teds1451.__file__)'
