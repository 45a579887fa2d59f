#!/usr/bin/env bash
# Runs a libFuzzer binary for SECONDS on its seeds, with the words of DICT.
# SEEDS are folders or single files; they are copied into a seed folder
# beside the binary (libFuzzer takes folders only), so the committed seeds
# stay as they are. New inputs go to a working corpus beside the binary; a
# crashing input is written beside the binary too, and the script then fails.
# The mutation seed is fixed (FUZZ_SEED, default 1) so that a run in CI meets
# the inputs a run here met; set FUZZ_SEED to explore further.
set -euo pipefail
binary=${1:?usage: run-fuzzer.sh BINARY SECONDS DICT SEEDS...}
seconds=${2:?usage: run-fuzzer.sh BINARY SECONDS DICT SEEDS...}
dict=$(realpath "${3:?usage: run-fuzzer.sh BINARY SECONDS DICT SEEDS...}")  # the fuzzer may change folder
shift 3
out=$(cd "$(dirname "$binary")" && pwd)
name=$(basename "$binary")
work="$out/$name-corpus"
seeds="$out/$name-seeds"
mkdir -p "$work"
rm -rf "$seeds" && mkdir -p "$seeds"
for seed in "$@"; do
    if [ -d "$seed" ]; then cp "$seed"/* "$seeds"/; else cp "$seed" "$seeds"/; fi
done

# -close_fd_mask=2: the engine's log lines also go to stderr, which would
# drown the fuzzer's own report (sanitizer reports still get through).
"$binary" "$work" "$seeds" -dict="$dict" \
    -seed="${FUZZ_SEED:-1}" -max_total_time="$seconds" -timeout=30 -max_len=8192 -rss_limit_mb=2048 \
    -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$out/$name-"
