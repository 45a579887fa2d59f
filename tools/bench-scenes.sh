#!/usr/bin/env bash
# Whole-process figures of scene changes and memory, on a virtual display of
# its own (Xvfb, 1920x1080, so the back buffer is 1280x720), with dummy audio.
# Usage: tools/bench-scenes.sh BUILD_DIR
#   scene changes : the largest frame interval (--frame-times) of a story that
#                   changes scene about once a second, software renderer;
#                   with and without decoding ahead
#   anchor screen : peak RSS (software renderer), idle CPU (default renderer),
#                   start -> first frame of the whole screen -> exit (--frames 4)
#   300 pictures  : peak RSS of a manifest story showing 300 backgrounds in turn
# The stories are made by bench/stories/make-scene-story.sh.
set -euo pipefail

build=$(realpath "${1:-build-bench}")
tabi="$build/tabi"
runs=${RUNS:-5}
here=$(realpath "$(dirname "$0")")
[ -x "$tabi" ] || { echo "no tabi binary in $build" >&2; exit 1; }
for tool in Xvfb xdpyinfo /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "bench-scenes: $tool is missing, skipped" >&2; exit 0; }
done

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for kind in scenes anchor many; do "$here/../bench/stories/make-scene-story.sh" "$work/$kind" "$kind"; done

display=99
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display" SDL_AUDIODRIVER=dummy
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }

# Plays the scene story in a window to its end; prints the largest and the
# mean frame interval in ms, first frame excluded.
scene_intervals() {
    local times="$work/times.txt"
    "$tabi" --data "$work/scenes" --windowed --renderer software --frame-times "$times" "$@" \
        >/dev/null 2>&1 || true
    awk 'NR > 2 {d = ($1 - prev) / 1000; sum += d; n++; if (d > hi) hi = d} {prev = $1}
         END {printf "%.1f %.1f %d\n", hi, sum / n, n}' "$times"
}

for mode in ahead no-ahead; do
    extra=()
    [ "$mode" = no-ahead ] && extra=(--no-decode-ahead)
    highs=()
    for _ in $(seq "$runs"); do
        read -r high mean frames < <(scene_intervals "${extra[@]}")
        highs+=("$high")
    done
    printf 'scene changes, window, software (%s): largest frame interval %s ms median of %d runs (mean %s ms over %d frames)  (before: 69 ms; target <= 25 ms)\n' \
        "$mode" "$(printf '%s\n' "${highs[@]}" | median)" "$runs" "$mean" "$frames"
done

peak_rss() {  # story args... -> KiB
    /usr/bin/time -f "%M" -o "$work/rss.txt" "$tabi" --data "$@" >/dev/null 2>&1 || true
    tail -n 1 "$work/rss.txt"
}
rss=()
for _ in $(seq "$runs"); do
    rss+=("$(peak_rss "$work/anchor" --windowed --renderer software --frames 60)")
done
printf 'anchor screen, window, software: peak RSS %s MiB median of %d runs  (before: 49.5 MiB, issue 11 said 46; target <= 36 MiB, SDL software floor 32.6)\n' \
    "$(mib "$(printf '%s\n' "${rss[@]}" | median)")" "$runs"

"$tabi" --data "$work/anchor" --windowed >/dev/null 2>&1 &
pid=$!
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep 10
after=$(ticks)
kill -TERM "$pid"
wait "$pid" || true
printf 'anchor screen idle, window, default renderer: %.2f %% of a core over 10 s  (before: 1.2 %%; target <= 1.0 %%)\n' \
    "$(awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN {print t * 100 / (hz * 10)}')"

times=()
for _ in $(seq "$runs"); do
    TIMEFORMAT=%3R
    seconds=$({ time "$tabi" --data "$work/anchor" --windowed --frames 4 >/dev/null 2>&1; } 2>&1)
    times+=("$(awk -v s="$seconds" 'BEGIN {printf "%d", s * 1000}')")
done
printf 'anchor screen start -> first whole frame -> exit (--frames 4): %s ms median  (before: 183 ms; target: no worse)\n' \
    "$(printf '%s\n' "${times[@]}" | median)"

kib=$(peak_rss "$work/many" --windowed --renderer software --frames 700)
printf '300 pictures of 8 MiB, window, software: peak RSS %s MiB  (before: unbounded; target <= 256 + 40 MiB)\n' "$(mib "$kib")"
kib=$(peak_rss "$work/many" --windowed --renderer software --frames 700 --cache-mb 64)
printf '300 pictures of 8 MiB, --cache-mb 64: peak RSS %s MiB  (target <= 64 + 40 MiB)\n' "$(mib "$kib")"
