#!/usr/bin/env bash
# Installs the packages the build and the tests need, from Debian's archive.
# Safe to run again: packages already present are left alone.
#   install-deps.sh          everything: native and both Windows builds, tests,
#                            sanitizers, fuzzers, benchmarks and Wine
#   install-deps.sh --tool   only what the native library and tedsdump need
#   install-deps.sh --python that and what the Python package needs
#
# The 32-bit Wine (wine32, from the i386 architecture) is tried last and may
# be missing: a kernel without 32-bit emulation cannot run it, and a mirror
# caught between syncs can serve an i386 index out of step with the amd64
# one. Then a line marked *** says so and the script still succeeds; the
# test command runs the 64-bit Windows tests alone. Anything else missing
# stops it.
set -euo pipefail

packages=(
  cmake make g++
  flex bison
  libboost-dev
  nlohmann-json3-dev
)
# The Python package: an extension module for Debian's python3, and numpy.
python_packages=(python3 python3-dev pybind11-dev python3-numpy)
optional=()
if [[ ${1:-} == --python ]]; then
  packages+=("${python_packages[@]}")
elif [[ ${1:-} != --tool ]]; then
  packages+=(
    "${python_packages[@]}" python3-pytest
    pkg-config
    googletest libgtest-dev
    libbenchmark-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine64
    clang libclang-rt-14-dev
  )
  optional=(wine32:i386)
fi

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

note() {
  echo "install-deps: *** $* ***" >&2
}

# A kernel that refuses 32-bit programs shows it once any 32-bit loader is
# there; without one it cannot be told, and the packages are tried.
kernel_refuses_32bit() {
  [[ -e /lib/ld-linux.so.2 ]] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# A mirror in the middle of a sync fails some index files for a while: try
# a few times, then go on with the indexes that did arrive. Whether they are
# enough shows when the packages are installed.
update_indexes() {
  local attempt
  for attempt in 1 2 3; do
    if apt-get update -qq; then
      return 0
    fi
    echo "install-deps: apt-get update failed (attempt $attempt of 3)" >&2
    ((attempt < 3)) && sleep $((attempt * 10))
  done
  echo "install-deps: going on with the package indexes that could be read" >&2
}

mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
if ((${#missing_optional[@]})) && kernel_refuses_32bit; then
  note "not installing ${missing_optional[*]}: this machine's kernel refuses 32-bit programs;" \
       "the 32-bit Windows tests cannot run here"
  missing_optional=()
fi
if ((${#missing[@]} + ${#missing_optional[@]} == 0)); then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  if ((${#missing[@]})); then
    echo "install-deps: missing packages: ${missing[*]} (run as root to install)" >&2
    exit 1
  fi
  note "${missing_optional[*]} not installed (run as root to install); the 32-bit Windows tests will not run"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if ((${#missing_optional[@]})) && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
update_indexes

if ((${#missing[@]})) && ! apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "install-deps: could not install ${missing[*]}; the build and the tests need them" >&2
  exit 1
fi
if ((${#missing_optional[@]})) && ! apt-get install -y -qq --no-install-recommends "${missing_optional[@]}"; then
  note "${missing_optional[*]} could not be installed (the i386 package index may be out of step" \
       "with the amd64 one); the 32-bit Windows tests will not run"
fi
exit 0
