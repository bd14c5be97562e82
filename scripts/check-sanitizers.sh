#!/usr/bin/env bash
# Builds the whole unit test suite with AddressSanitizer (leak checks
# included) and UndefinedBehaviorSanitizer, and runs it; the Python
# package's tests too, with the sanitizers' runtimes preloaded into the
# interpreter.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/asan
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEDS_BUILD_BENCHMARKS=OFF -DTEDS_BUILD_PYTHON=ON \
  -DTEDS_PYTHON_PRELOAD="$(gcc -print-file-name=libasan.so) $(gcc -print-file-name=libubsan.so)" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j "$(nproc)"
# The package test builds an ordinary program against the installed library;
# with an instrumented library that program would need the sanitizer runtime,
# so it runs in the plain build only.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -E '^install_package$'
