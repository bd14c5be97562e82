#!/usr/bin/env bash
# Installs the packages the build and the tests need, from Debian's archive.
# Safe to run again: packages already present are left alone.
#   install-deps.sh          everything: native and Windows builds, tests,
#                            sanitizers, fuzzers, benchmarks and Wine
#   install-deps.sh --tool   only what the native library and tedsdump need
set -euo pipefail

packages=(
  cmake make g++
  flex bison
  libboost-dev
  nlohmann-json3-dev
)
if [[ ${1:-} != --tool ]]; then
  packages+=(
    pkg-config
    googletest libgtest-dev
    libbenchmark-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    wine wine32:i386
    clang libclang-rt-14-dev
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "install-deps: missing packages: ${missing[*]} (run as root to install)" >&2
    exit 1
  fi
  # wine32 comes from the i386 architecture.
  if [[ " ${missing[*]} " == *" wine32:i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
