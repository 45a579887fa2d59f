#!/usr/bin/env bash
# Installs, with apt, whatever Tabi needs to build, test and play that this
# Debian machine does not have yet. Does nothing when everything is there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang libclang-rt-14-dev clang-format
    libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev zlib1g-dev nettle-dev fonts-wqy-microhei libpng-dev
    libcli11-dev nlohmann-json3-dev libtomlplusplus-dev libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-apps desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
