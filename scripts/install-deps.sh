#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run, when one is missing.
set -euo pipefail
packages=(
    cmake ninja-build g++ clang pkg-config
    libwxgtk3.2-dev libgtk-3-dev libogg-dev libvorbis-dev libspeex-dev
    libgtest-dev googletest libicu-dev
    vorbis-tools speex espeak-ng sox
    xvfb xauth openbox xdotool x11-apps x11-utils imagemagick fonts-liberation desktop-file-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
