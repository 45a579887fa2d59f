#!/usr/bin/env bash
# Says how much of the engine the fuzzers' corpora reach. Builds the three
# fuzz targets again with source coverage (no sanitizers) in BUILD-coverage,
# runs each once over the corpus and seeds that `make fuzz` left in BUILD
# (default build-fuzz), and prints llvm-cov's report for src/ outside
# platform/sdl. The script fuzzer links the whole engine, so code that no
# input reaches still counts. Needs llvm-cov and llvm-profdata (package llvm-14).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-build-fuzz}")
cov="$build-coverage"
fuzzers=(script_fuzzer replay_fuzzer picture_fuzzer)
command -v llvm-cov >/dev/null || { echo "needs llvm-cov: apt-get install llvm-14" >&2; exit 1; }
[ -d "$build/script_fuzzer-corpus" ] || { echo "no corpus in $build: run make fuzz first" >&2; exit 1; }

CXX=clang++ CC=clang cmake -S "$root" -B "$cov" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABI_FUZZ=ON \
    -DTABI_FUZZ_COVERAGE=ON >/dev/null
cmake --build "$cov" -j"$(nproc)" --target "${fuzzers[@]}" >/dev/null
rm -f "$cov"/*.profraw
for name in "${fuzzers[@]}"; do
    LLVM_PROFILE_FILE="$cov/$name.profraw" "$cov/$name" "$build/$name-corpus" "$build/$name-seeds" \
        -runs=0 >/dev/null 2>&1
done
llvm-profdata merge -sparse "$cov"/*.profraw -o "$cov/fuzz.profdata"
llvm-cov report "$cov/script_fuzzer" -object "$cov/replay_fuzzer" -object "$cov/picture_fuzzer" \
    -instr-profile="$cov/fuzz.profdata" -ignore-filename-regex='^/usr/|/tests/|/src/platform/sdl/' |
    sed "s|$root/||"
