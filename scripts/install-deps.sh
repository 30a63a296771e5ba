#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run, when one is missing.
# With the argument "windows" also what the Windows cross build needs (scripts/windows.sh).
set -euo pipefail
packages=(
    cmake ninja-build g++ clang pkg-config gettext dpkg-dev appstream
    libwxgtk3.2-dev libgtk-3-dev libogg-dev libvorbis-dev libspeex-dev
    # The toolkit's own words (its stock buttons) in the languages the program speaks.
    wx3.2-i18n
    libgtest-dev googletest libicu-dev
    vorbis-tools speex espeak-ng sox
    # Disc images: mounted in user space for a run (fuseiso), made by the tests (xorriso); the
    # icons of Windows programs for their menu entries (icoutils).
    fuseiso xorriso icoutils
    xvfb xauth openbox xdotool x11-apps x11-utils imagemagick fonts-liberation desktop-file-utils
    at-spi2-core dbus-daemon gir1.2-atspi-2.0 python3-gi
    # A Windows product installs into a Wine prefix; its test's game is a Windows program of ours.
    wine wine64 g++-mingw-w64-x86-64
)
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
windows=0
[ "${1:-}" = windows ] && windows=1
[ $windows = 1 ] && packages+=(dpkg-dev make)

# The Windows build compiles its libraries from Debian's source packages: it needs a deb-src twin
# of each deb entry.
if [ $windows = 1 ] && ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "Adding the source package entries"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
    "${sudo_cmd[@]}" apt-get update -qq
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
