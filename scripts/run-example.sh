#!/usr/bin/env bash
# Installs what is missing, builds tedsdump natively and decodes a bundled
# example image with the bundled templates. Arguments, if any, go to
# tedsdump instead of the example image: ./scripts/run-example.sh --json
# examples/images/thermocouple.bin
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$(nproc)" --target tedsdump >/dev/null

if (($# == 0)); then
  set -- examples/images/accelerometer.hex
fi
exec ./build/native/tools/tedsdump/tedsdump "$@"
