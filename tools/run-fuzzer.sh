#!/usr/bin/env bash
# Runs a libFuzzer binary for SECONDS (default 60) on the seed corpus
# tests/fuzz/corpus, with the words of tests/fuzz/script.dict. New inputs go
# to a working corpus beside the binary, so the committed seeds stay as they
# are; a crashing input is written beside the binary too, and the script
# then fails.
set -euo pipefail
binary=${1:?usage: run-fuzzer.sh BINARY [SECONDS]}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$(dirname "$binary")" && pwd)
work="$out/$(basename "$binary")-corpus"
mkdir -p "$work"

dict=()
[ -f "$root/tests/fuzz/script.dict" ] && dict=(-dict="$root/tests/fuzz/script.dict")

# -close_fd_mask=2: the engine's log lines also go to stderr, which would
# drown the fuzzer's own report (sanitizer reports still get through).
"$binary" "$work" "$root/tests/fuzz/corpus" \
    -max_total_time="$seconds" -timeout=10 -max_len=8192 -rss_limit_mb=2048 \
    -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$out/" "${dict[@]}"
