#!/usr/bin/env bash
# Installs a build into a temporary DESTDIR, as `make install DESTDIR=...`
# does, and checks what a player gets: the files in their places, a valid
# desktop entry, a manual page groff reads without a warning, and the
# installed tabi playing the installed demo when started in an empty folder.
#   check-install.sh BUILD_DIR
set -uo pipefail
build=$(realpath "${1:?usage: check-install.sh BUILD_DIR}")
work=$(mktemp -d "${TMPDIR:-/tmp}/tabi-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "check-install: $*" >&2; failed=1; }

# A prefix the build was not configured for: the demo must be found from
# where the executable is.
prefix=/opt/tabi-check
root="$work/root$prefix"
DESTDIR="$work/root" cmake --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 ||
    { cat "$work/install.txt" >&2; fail "cmake --install failed"; exit 1; }

for file in bin/tabi share/tabi/demo/story.toml share/tabi/demo/script/start.txt \
    share/tabi/demo/image/dia.png share/tabi/demo/sound/theme.ogg \
    share/applications/tabi.desktop share/man/man6/tabi.6; do
    [ -f "$root/$file" ] || fail "$file was not installed"
done
[ -x "$root/bin/tabi" ] || fail "bin/tabi is not executable"
for file in playthrough.txt playthrough.sha256 log.txt shots; do
    [ ! -e "$root/share/tabi/demo/$file" ] || fail "share/tabi/demo/$file should not be installed"
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/tabi.desktop" || fail "invalid desktop entry"
else
    fail "desktop-file-validate is missing (apt desktop-file-utils; tools/install-deps.sh)"
fi
warnings=$(groff -man -Tutf8 -ww -z "$root/share/man/man6/tabi.6" 2>&1)
[ -z "$warnings" ] || fail "groff warns of the manual page: $warnings"
for option in $("$root/bin/tabi" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "^\.B[IR]* ${option//-/\\\\-}" "$root/share/man/man6/tabi.6" ||
        fail "the manual page does not describe $option"
done

# Played from an empty folder: the demo's first frames, the render dump
# where the player asked for it, the log beside the demo's saves.
mkdir "$work/empty" "$work/data"
(cd "$work/empty" && XDG_DATA_HOME="$work/data" "$root/bin/tabi" --headless --frames 4 \
    --dump dump.jsonl >"$work/run.txt" 2>&1) || { cat "$work/run.txt" >&2; fail "the installed demo did not play"; }
# Frame 4 draws the demo's first room; its music started in frame 2.
for drawn in '"frame":4,' 'image/pc01.png' 'sound/theme.ogg'; do
    grep -q "$drawn" "$work/empty/dump.jsonl" 2>/dev/null ||
        fail "the render dump in the empty folder has no $drawn"
done
[ -f "$work/data/tabi/demo/log.txt" ] || fail "no log.txt in \$XDG_DATA_HOME/tabi/demo"
for folder in "$work/empty" "$root/share/tabi/demo"; do
    [ ! -e "$folder/log.txt" ] || fail "the run wrote $folder/log.txt"
done

# No demo beside the executable (nor under the configured prefix): a clear
# error, not a run of nothing.
configured=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
if [ ! -e "$configured/share/tabi/demo" ]; then
    mkdir -p "$work/bare/bin" "$work/nothing"
    cp "$root/bin/tabi" "$work/bare/bin/"
    (cd "$work/nothing" && "$work/bare/bin/tabi" --headless --frames 4 >"$work/bare.txt" 2>&1)
    code=$?
    [ "$code" = 1 ] || fail "without a demo tabi exited $code, not 1"
    grep -q "no story here .* no installed demo in .*/bare/share/tabi/demo" "$work/bare.txt" ||
        fail "without a demo tabi said: $(cat "$work/bare.txt")"
fi
exit $failed
