#!/usr/bin/env bash
# Whole-process figures of the picture-novel mode on the demo art.
# Usage: tools/bench-gal.sh BUILD_DIR
#   30-sprite story : peak RSS of a headless run that places 30 free sprites
#                     (every picture of the image table, some twice) and shows
#                     the dialogue frame; once without pixels and once with a
#                     screenshot of the last frame (the renderer's own copies)
#   dialogue frames : frames/s of a headless run of a dialogue screen
# RSS is the largest of RUNS runs (default 3), times the median.
set -euo pipefail

build=$(realpath "${1:-build-bench}")
tabi="$build/tabi"
runs=${RUNS:-3}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$tabi" ] || { echo "no tabi binary in $build" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "bench-gal: /usr/bin/time is missing, skipped" >&2; exit 0; }

story=$(mktemp -d)
trap 'rm -rf "$story"' EXIT
mkdir -p "$story/script" "$story/image"
cp "$here/../demo/image/"*.png "$story/image/"

# 30 AddSprite lines over the 15 numbers of the table, each placed a little
# further right, then the dialogue frame; the script then waits for ever.
{
    echo "move \$a0 8 ChangeMode"
    i=0
    for round in 1 2; do
        for n in 0 1 2 3 4 5 6 1000 1001 2001 2002 2003 2004 3000 3001; do
            echo "move \$a0 $n AddSprite x s$i GetSprite s$i move \$a0 \$v0 move \$a1 $((i * 40)) SetSpritePosition"
            i=$((i + 1))
        done
    done
    printf 'SetDialogueSpeaker \xc3\xc3 SetDialogueContent \xc4\xe3\xba\xc3 ShowDialogueFrame\n'
    echo "WaitForEvent EVENT_MOUSE_DOWN"
} > "$story/script/start.txt"

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# Prints "median_ms max_rss_kib" of RUNS runs of tabi with the given arguments.
time_runs() {
    local times=() rss=0 kib seconds
    local TIMEFORMAT=%3R
    for _ in $(seq "$runs"); do
        seconds=$({ time "$tabi" --data "$story" "$@" >/dev/null 2>&1; } 2>&1)
        times+=("$(awk -v s="$seconds" 'BEGIN {printf "%d", s * 1000}')")
        /usr/bin/time -f "%M" -o "$story/rss.txt" "$tabi" --data "$story" "$@" >/dev/null 2>&1
        kib=$(tail -n 1 "$story/rss.txt")
        [ "$kib" -gt "$rss" ] && rss=$kib
    done
    echo "$(printf '%s\n' "${times[@]}" | median) $rss"
}

mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }

read -r ms kib < <(time_runs --headless --frames 300)
grep -q "Load Texture failed" "$story/log.txt" && { echo "bench-gal: a picture is missing" >&2; exit 1; }
printf '30-sprite story, headless --frames 300: %d ms median, peak RSS %s MiB  (target <= 200 MiB)\n' \
    "$ms" "$(mib "$kib")"
read -r ms kib < <(time_runs --headless --frames 300 --screenshot "300:$story/shot.png")
printf '30-sprite story, with a screenshot of frame 300: %d ms median, peak RSS %s MiB  (target <= 200 MiB)\n' \
    "$ms" "$(mib "$kib")"

frames=100000
read -r ms kib < <(time_runs --headless --frames "$frames")
printf '30-sprite story, headless logic only: %d frames/s (--frames %d in %d ms)\n' \
    "$((frames * 1000 / (ms > 0 ? ms : 1)))" "$frames" "$ms"
