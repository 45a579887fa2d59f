#!/usr/bin/env bash
# Plays the demo story: in a window when a display is reachable, headless otherwise.
set -euo pipefail
tabi=$(realpath "$1")
cd "$(dirname "$0")/../demo"
exec "$tabi" --windowed
