#!/usr/bin/env bash
# Runs every benchmark: the Google Benchmark binary, then the whole-process
# timing scripts (tools/bench-*.sh), each given the build folder. The frame and
# step figures are printed again at the end of the binary's run, beside the
# figures they were first taken at.
set -euo pipefail
build=${1:-build-bench}
here=$(dirname "$0")
results=$(mktemp)
trap 'rm -f "$results"' EXIT
"$build/bench/tabi_bench" --benchmark_counters_tabular=true | tee "$results"
# The last column of a benchmark's row: frames/s or ns a step.
last_of() { awk -v name="$1" '$1 == name {print $NF}' "$results"; }
echo
echo "headless logic frames/s (dialogue): $(last_of BM_GalDialogueFrame)  (first taken: 2.5M/s; target: no worse)"
echo "rasterised frames/s (dialogue):     $(last_of BM_GalDialogueFrameRasterized)  (first taken: 556/s; target: no worse)"
echo "9-choice frame, rasterised:         $(last_of BM_GalChoicesFrameRasterized)  (target: no worse than the line above)"
echo "script step:                        $(last_of BM_ScriptStep/1)  (first taken: 8.0 ns; target: no worse)"
echo
for script in "$here"/bench-*.sh; do
    [ -x "$script" ] && "$script" "$build"
done
exit 0
