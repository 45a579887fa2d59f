#!/usr/bin/env bash
# Whole-process figures of the platform layer, on a virtual display of its
# own (Xvfb, 1920x1080, so the back buffer is 1280x720) with SDL's software
# renderer and dummy audio. Usage: tools/bench-window.sh BUILD_DIR
#   window start-up : launch -> first presented frame -> exit, --windowed --frames 3
#   idle            : CPU of a windowed run that shows nothing new for 10 s
#                     (median of IDLE_RUNS, default 3; also per frame), and
#                     its frame intervals from --frame-times; the same with
#                     the window hidden (xdotool), and with the demo's music
#   headless        : --frames 2 on an empty story, and logic-only frames/s
# Times are medians of RUNS runs (default 7); RSS is the largest seen.
set -euo pipefail

build=$(realpath "${1:-build-bench}")
tabi="$build/tabi"
runs=${RUNS:-7}
idle_seconds=${IDLE_SECONDS:-10}
[ -x "$tabi" ] || { echo "no tabi binary in $build" >&2; exit 1; }
for tool in Xvfb xdpyinfo /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "bench-window: $tool is missing, skipped" >&2; exit 0; }
done

story=$(mktemp -d)
mkdir -p "$story/script" "$story/image"
# No script, only the pictures every story needs: the pointer and the
# dialogue frame (the controllers load them at start-up).
demo=$(realpath "$(dirname "$0")/../demo/image")
cp "$demo"/m[0-3].png "$demo/dia.png" "$story/image/"
: >"$story/script/start.txt"  # a story without a start script does not run
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$story"
}
trap cleanup EXIT

display=99
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display" SDL_AUDIODRIVER=dummy
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# Runs tabi RUNS times; prints "median_ms max_rss_kib". The wall time is
# bash's own (fork and exec of tabi included, nothing else); the peak RSS
# comes from /usr/bin/time on each run too, timed separately so its own
# start-up does not count.
time_runs() {
    local times=() rss=0 kib seconds
    local TIMEFORMAT=%3R
    for _ in $(seq "${RUNS:-$runs}"); do
        seconds=$({ time "$tabi" --data "$story" "$@" >/dev/null 2>&1; } 2>&1) ||
            { echo "bench-window: tabi $* failed; see $story/log.txt" >&2; exit 1; }
        times+=("$(awk -v s="$seconds" 'BEGIN {printf "%d", s * 1000}')")
        /usr/bin/time -f "%M" -o "$story/rss.txt" "$tabi" --data "$story" "$@" >/dev/null 2>&1 ||
            { echo "bench-window: tabi $* failed; see $story/log.txt" >&2; exit 1; }
        kib=$(tail -n 1 "$story/rss.txt")
        [ "$kib" -gt "$rss" ] && rss=$kib
    done
    echo "$(printf '%s\n' "${times[@]}" | median) $rss"
}

read -r ms kib < <(time_runs --windowed --renderer software --frames 3)
printf 'window start-up to exit (--frames 3): %4d ms median, peak RSS %5.1f MiB  (target <= 264 ms, <= 40 MiB)\n' \
    "$ms" "$(awk -v k="$kib" 'BEGIN {print k / 1024}')"

# CPU time of every thread of $pid so far, in microseconds (the scheduler's
# own count, finer than the clock ticks of /proc/PID/stat).
cpu_us() { cat /proc/"$pid"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns / 1000}'; }
frames_so_far() { wc -l <"$1"; }

# One idle run of idle_seconds; prints "cpu_percent us_per_frame". With
# "hidden" the window is unmapped first, as a window manager does when it
# minimises it (a bare X server has none to ask).
idle_run() {
    local frame_file="$story/times.txt" before after f0 f1
    "$tabi" --data "$story" --windowed --renderer software --frame-times "$frame_file" >/dev/null 2>&1 &
    pid=$!
    sleep 1
    if [ "$1" = hidden ]; then
        xdotool search --sync --pid "$pid" | xargs -r -n 1 xdotool windowunmap
        sleep 0.5
    fi
    f0=$(frames_so_far "$frame_file") before=$(cpu_us)
    sleep "$idle_seconds"
    f1=$(frames_so_far "$frame_file") after=$(cpu_us)
    kill -TERM "$pid"
    wait "$pid" || true
    awk -v t=$((after - before)) -v s="$idle_seconds" -v f=$((f1 - f0)) \
        'BEGIN {printf "%.2f %.0f\n", t / (s * 10000), t / (f > 0 ? f : 1)}'
}

# Median of IDLE_RUNS runs (default 3), each figure on its own.
idle_figures() {
    local cpu=() per=() c p
    for _ in $(seq "${IDLE_RUNS:-3}"); do
        read -r c p < <(idle_run "$1")
        cpu+=("$c") per+=("$p")
    done
    echo "$(printf '%s\n' "${cpu[@]}" | median) $(printf '%s\n' "${per[@]}" | median)"
}

read -r cpu per < <(idle_figures visible)
printf 'idle window CPU over %d s: %5.2f %% of a core, %s us a frame, median of %d  (before: 0.98 %%, 218 us; target <= 1 %%)\n' \
    "$idle_seconds" "$cpu" "$per" "${IDLE_RUNS:-3}"
awk 'NR > 1 {d = ($1 - prev) / 1000; sum += d; n++; if (n == 1 || d < lo) lo = d; if (d > hi) hi = d}
     {prev = $1}
     END {printf "frame interval over %d frames: mean %.2f ms, min %.2f ms, max %.2f ms  (target mean 22-23, min >= 22)\n", n, sum / n, lo, hi}' \
    "$story/times.txt"
if command -v xdotool >/dev/null; then
    read -r cpu per < <(idle_figures hidden)
    printf 'idle hidden window CPU over %d s: %5.2f %% of a core, %s us a frame, median of %d  (before: 0.35 %%, 77 us; target <= 0.2 %%)\n' \
        "$idle_seconds" "$cpu" "$per" "${IDLE_RUNS:-3}"
else
    echo "bench-window: xdotool is missing, the hidden window's figure skipped" >&2
fi

# The same idle screen with the demo's music looping: the mixer decodes and
# mixes while nothing is drawn.
music=$(mktemp -d)
mkdir -p "$music/script" "$music/image"
cp "$story"/image/*.png "$music/image/"
cp "$demo/../sound/theme.ogg" "$music/"
printf '[sounds.1]\nfile = "theme.ogg"\n' >"$music/story.toml"
printf 'move $a0 1\nPlayMusic\n' >"$music/script/start.txt"
"$tabi" --data "$music" --windowed --renderer software >/dev/null 2>&1 &
pid=$!
sleep 1
before=$(cpu_us)
sleep "$idle_seconds"
after=$(cpu_us)
kill -TERM "$pid"
wait "$pid" || true
grep -q CSoundManager "$music/log.txt" && { echo "bench-window: the music did not play" >&2; exit 1; }
rm -rf "$music"
printf 'idle window CPU with music over %d s: %5.2f %% of a core  (target <= 2 %%)\n' "$idle_seconds" \
    "$(awk -v t=$((after - before)) -v s="$idle_seconds" 'BEGIN {print t / (s * 10000)}')"

read -r ms kib < <(time_runs --headless --frames 2)
printf 'headless --frames 2: %4d ms median, peak RSS %5.1f MiB  (target <= 30 ms, <= 40 MiB)\n' \
    "$ms" "$(awk -v k="$kib" 'BEGIN {print k / 1024}')"

frames=100000
read -r ms kib < <(RUNS=3 time_runs --headless --frames "$frames")
printf 'headless logic only: %d frames/s (--frames %d in %d ms)  (target >= 10000)\n' \
    "$((frames * 1000 / (ms > 0 ? ms : 1)))" "$frames" "$ms"
