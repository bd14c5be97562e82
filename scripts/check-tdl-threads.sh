#!/usr/bin/env bash
# Builds the TDL tests with ThreadSanitizer in a build folder of their own
# and runs the test that loads files on several threads at once. Native
# only: the Windows toolchain has no std::thread.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/tsan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
cmake --build "$build" --target test_tdl -j "${JOBS:-2}"
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/scripts/tsan.supp" "$build/tests/test_tdl" --gtest_filter='ThreadedLoadTest.*'
