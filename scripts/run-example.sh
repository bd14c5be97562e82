#!/usr/bin/env bash
# Installs what is missing, builds tedsdump natively and decodes a bundled
# example image with the bundled templates. Arguments, if any, go to
# tedsdump instead of the example image: ./scripts/run-example.sh --json
# examples/images/thermocouple.bin
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh --tool

# A folder of its own: the tool alone, without the tests and benchmarks
# whose packages the full build needs.
cmake -S . -B build/tool -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTEDS_BUILD_TESTS=OFF -DTEDS_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build/tool -j "$(nproc)" --target tedsdump >/dev/null

if (($# == 0)); then
  set -- examples/images/accelerometer.hex
fi
exec ./build/tool/tools/tedsdump/tedsdump "$@"
