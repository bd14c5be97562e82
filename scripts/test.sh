#!/usr/bin/env bash
# Installs what is missing, builds the native and the 32-bit Windows targets
# and runs every test: natively, under the sanitizers, a short run of each
# fuzz target, and the Windows executables under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

./scripts/check-sanitizers.sh
./scripts/check-threads.sh
./scripts/fuzz.sh --runs 2000

cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake"
cmake --build build/win32 -j "$jobs"

# Wine runs 32-bit Windows programs as 32-bit Linux processes. A kernel
# booted without 32-bit emulation refuses every one of them, Wine included;
# there the Windows build is still made and its export tables and
# declarations checked, and the run says plainly that its programs were not.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "test.sh: *** the Windows test programs were NOT run: this machine's kernel" \
       "refuses 32-bit programs (32-bit emulation is off), so Wine cannot start ***" >&2
  ctest --test-dir build/win32 --output-on-failure -R '^(dll_tables|vb6_declarations|interface_readers)$'
  exit 0
fi

export WINEPREFIX="$PWD/build/win32/wineprefix" WINEDEBUG=-all
# No wineserver may outlive the tests, whatever their outcome.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Set the prefix up once, before the tests start their own Wine processes.
wineboot --init >/dev/null 2>&1
wineserver -w
ctest --test-dir build/win32 --output-on-failure
