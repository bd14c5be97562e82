#!/usr/bin/env bash
# Builds the threaded tests with ThreadSanitizer in a build folder of their
# own and runs them: parsers loading TDL files at once, and threads decoding
# and querying with one parser, and tedsdump decoding a folder on many threads.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/tsan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEDS_BUILD_BENCHMARKS=OFF -DTEDS_BUILD_PYTHON=OFF \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
  -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build "$build" --target test_tdl test_vb6dll test_tools -j "$(nproc)"
export TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/scripts/tsan.supp"
"$build/tests/test_tdl" --gtest_filter='ThreadedLoadTest.*'
"$build/tests/test_vb6dll" --gtest_filter='ThreadedQueryTest.*'
"$build/tests/test_tools" --gtest_filter='InventoryTest.*'
