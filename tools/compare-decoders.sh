#!/usr/bin/env bash
# The picture decoders on the demo's pictures (bench/DecoderBench.cpp and,
# when built, bench/spng/): each benchmark in a process of its own, the order
# rotated every round so that a busy moment of the machine falls on all of
# them; prints the median wall time per set of pictures, the output (4 bytes
# a pixel) per second of that median, and the rounds.
# Usage: tools/compare-decoders.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=${1:-build-bench}
rounds=${2:-9}
bin="$build/bench/tabi_bench"
mapfile -t names < <("$bin" --benchmark_list_tests | grep '^BM_DecodeDemo[A-Z]' | grep -v Pictures)
for r in $(seq "$rounds"); do
    for i in "${!names[@]}"; do
        name=${names[$(((i + r) % ${#names[@]}))]}
        nice "$bin" --benchmark_filter="^$name\$" --benchmark_min_time=1 --benchmark_format=csv 2>/dev/null |
            awk -F, '/^"BM/ { gsub(/"/, "", $1); print $1, $3, $6 * $4 / 1e9 }'
    done
done | sort -k1,1 -k2,2n | awk '
    { times[$1] = times[$1] " " $2; count[$1]++; all[$1, count[$1]] = $2; mb[$1] = $3 }
    END {
        for (n in count) {
            median = all[n, int((count[n] + 1) / 2)]
            printf "%-24s median %6.1f ms %5.0f MB/s  rounds:%s\n", n, median, mb[n] / median * 1000, times[n]
        }
    }' | sort
