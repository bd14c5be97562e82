#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) and runs each of them.
#
#   scripts/fuzz.sh --seconds 600            run every target for ten minutes
#   scripts/fuzz.sh --runs 2000               run every target on 2000 inputs (CI)
#   scripts/fuzz.sh --seconds 60 TdlLoadFuzzer
#
# Anything a target finds is left as crash-*/leak-* in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time=60)
targets=()
while (($#)); do
  case "$1" in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
    *) targets+=("$1"); shift ;;
  esac
done
((${#targets[@]})) || targets=(TdlLoadFuzzer ImageDecodeFuzzer ExportsFuzzer ContainerFuzzer EncodeRoundTripFuzzer DocumentFuzzer ImageCheckFuzzer)

build=build/fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTEDS_BUILD_TESTS=OFF -DTEDS_BUILD_FUZZERS=ON -DTEDS_BUILD_BENCHMARKS=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

# Seeds: the example templates and images, the real sensor images, the
# tests' TDL files, and templates that borrow names from one another.
seed() {
  local dir=$1; shift
  mkdir -p "$dir"
  for f in "$@"; do [[ -f $f ]] && cp -n "$f" "$dir/" ; done
  return 0
}
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  extra=()
  case "$target" in
    TdlLoadFuzzer)
      seed "$corpus" examples/templates/*.tdl tests/data/*.tdl fuzz/seeds/*.tdl
      extra=(-dict=fuzz/tdl.dict -max_len=65536) ;;
    ContainerFuzzer|ImageCheckFuzzer)
      seed "$corpus" examples/images/* tests/data/real-teds/*
      extra=(-max_len=65536) ;;
    DocumentFuzzer)
      # The documents tedsdump writes for the example and real images.
      cmake --build "$build" --target tedsdump >/dev/null
      mkdir -p "$corpus"
      for image in examples/images/* tests/data/real-teds/*.hex tests/data/real-teds/*.ted; do
        "$build/tools/tedsdump/tedsdump" --json "$image" >"$corpus/$(basename "$image").json" 2>/dev/null || true
      done
      extra=(-dict=fuzz/json.dict -max_len=65536) ;;
    *)
      seed "$corpus" examples/images/*.bin
      # Hexadecimal images become binary seeds too.
      for hex in examples/images/*.hex tests/data/real-teds/*.hex; do
        [[ -f $hex ]] || continue
        perl -ne 'print pack("H*", join("", /([0-9a-fA-F]{2})/g))' "$hex" >"$corpus/$(basename "$hex" .hex).bin"
      done
      extra=(-max_len=4096) ;;
  esac
  echo "== $target ${limit[*]}"
  "$build/fuzz/$target" "$corpus" "${limit[@]}" "${extra[@]}" \
    -artifact_prefix="$build/findings/$target-" -print_final_stats=1 2>&1 | tail -n 12
done
