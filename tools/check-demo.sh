#!/usr/bin/env bash
# Plays the demo's recorded playthrough headless to its End and compares the
# SHA-256 of its render dump and log.txt with demo/playthrough.sha256, so a
# change that alters what the demo shows or logs fails `make test`.
#   check-demo.sh TABI_BINARY           check (exit 0 when both match)
#   check-demo.sh TABI_BINARY --update  play, then write the new values
# The run happens in a copy of demo/, so the checkout gets no log.txt.
set -uo pipefail
usage="usage: check-demo.sh TABI_BINARY [--update]"
tabi=${1:?$usage}
update=${2:-}
if [ -n "$update" ] && [ "$update" != "--update" ]; then
    echo "$usage" >&2
    exit 2
fi
if [ ! -x "$tabi" ]; then
    echo "check-demo: $tabi is not an executable" >&2
    exit 2
fi
tabi=$(realpath "$tabi")
demo=$(realpath "$(dirname "$0")/../demo")
golden="$demo/playthrough.sha256"

work=$(mktemp -d "${TMPDIR:-/tmp}/tabi-demo-XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$demo/." "$work/"
rm -rf "$work/log.txt" "$work/shots" "$work/playthrough.sha256"

# No --frames: the playthrough must reach the script's End by itself. A run
# that never gets there stops after an hour of game time, and its dump then
# differs from the recorded one.
"$tabi" --data "$work" --headless --input playthrough.txt --dump dump.jsonl \
    >"$work/stdout.txt" 2>"$work/stderr.txt"
status=$?
if [ $status -ne 0 ]; then
    echo "check-demo: the playthrough ended with exit code $status, not 0" >&2
    tail -n 20 "$work/stderr.txt" >&2
    exit 1
fi

actual=$(cd "$work" && sha256sum dump.jsonl log.txt)
if [ "$update" = "--update" ]; then
    printf '%s\n' "$actual" >"$golden"
    echo "check-demo: wrote $golden"
    exit 0
fi
if [ ! -f "$golden" ]; then
    echo "check-demo: $golden is missing; make it with: $0 $1 --update" >&2
    exit 1
fi
if ! diff <(cat "$golden") <(printf '%s\n' "$actual") >/dev/null; then
    echo "check-demo: the playthrough no longer matches $golden" >&2
    echo "expected:" >&2
    cat "$golden" >&2
    echo "played:" >&2
    printf '%s\n' "$actual" >&2
    echo "If the demo changed on purpose, run: $0 $1 --update" >&2
    echo "and commit demo/playthrough.sha256 with the change." >&2
    exit 1
fi
echo "check-demo: the playthrough reached its End and matches $golden"
