#!/usr/bin/env bash
# Runs every benchmark: the Google Benchmark binary, then the whole-process
# timing scripts (tools/bench-*.sh), each given the build folder.
set -euo pipefail
build=${1:-build-bench}
here=$(dirname "$0")
"$build/bench/tabi_bench" --benchmark_counters_tabular=true
for script in "$here"/bench-*.sh; do
    [ -x "$script" ] && "$script" "$build"
done
exit 0
