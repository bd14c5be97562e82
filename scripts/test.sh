#!/usr/bin/env bash
# Installs what is missing, builds the native and both Windows targets and
# runs every test: natively (the Python package's under pytest), under the
# sanitizers, a short run of each fuzz
# target, and the Windows executables under Wine: the 64-bit ones on every
# machine, the 32-bit ones where the machine can run them.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEDS_BUILD_PYTHON=ON
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

./scripts/check-sanitizers.sh
./scripts/check-threads.sh
./scripts/fuzz.sh --runs 2000

# Each Windows build's answers to every query must equal the native ones.
reference="$PWD/build/native/tests/query_listing.txt"

# Runs a Windows build's tests under Wine, in a prefix of the build's own,
# set up once before the tests start their own Wine processes. No wineserver
# may outlive the tests, whatever their outcome.
run_under_wine() {
  local build=$1 loader=$2 status=0
  export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  "$loader" wineboot --init >/dev/null 2>&1
  wineserver -w
  ctest --test-dir "$build" --output-on-failure || status=$?
  wineserver -k >/dev/null 2>&1 || true
  trap - EXIT
  return "$status"
}

# 64-bit Windows: Debian's wine64 runs it as a 64-bit Linux process, which
# needs no i386 package and no 32-bit support in the kernel.
cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake" -DTEDS_REFERENCE_LISTING="$reference"
cmake --build build/win64 -j "$jobs"
run_under_wine build/win64 "$(sed -n 's/^WINE64_PROGRAM:FILEPATH=//p' build/win64/CMakeCache.txt)"

# 32-bit Windows: Wine runs it as 32-bit Linux processes, which need the
# i386 packages of wine32 and a kernel that runs 32-bit programs (the
# 32-bit Wine runs on the i386 C library, whose loader such a kernel
# refuses to start). Where either is missing the DLL is still built and its
# export tables and declarations checked, and the run says plainly that the
# test programs were not run; they are not built either, since nothing
# would run them.
cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" -DTEDS_REFERENCE_LISTING="$reference"
why=""
[[ -x /usr/lib/wine/wine ]] || why="the 32-bit Wine (wine32:i386) is not installed"
if [[ -e /lib/ld-linux.so.2 ]] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  why="${why:+$why and }this machine's kernel refuses 32-bit programs"
fi
if [[ -z $why ]]; then
  cmake --build build/win32 -j "$jobs"
  run_under_wine build/win32 wine
else
  cmake --build build/win32 -j "$jobs" --target teds_vb6
  ctest --test-dir build/win32 --output-on-failure -R '^(dll_tables|vb6_declarations|interface_readers)$'
  echo "test.sh: *** the 32-bit Windows test programs were NOT built or run: $why;" \
       "the 64-bit ones ran under wine64 ***" >&2
fi
