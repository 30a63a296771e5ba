#!/usr/bin/env bash
# Builds the static libraries the Windows program needs (Ogg, Vorbis, Speex, Expat, wxWidgets for MSW,
# GoogleTest) from Debian's own source packages with mingw-w64, into a prefix cached outside the
# checkout and keyed by the package versions, the compiler and this recipe. A missing or unfinished
# prefix is rebuilt from scratch. Prints the prefix on the last line of standard output.
# Needs a deb-src entry (scripts/install-deps.sh adds it) and g++-mingw-w64-x86-64.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
host=x86_64-w64-mingw32
jobs=${SETUP_JOBS:-$(nproc)}
packages=(libogg libvorbis speex expat wxwidgets3.2)
# Part of the cache key: raise it whenever the build steps below change what lands in the prefix.
recipe=1

log() { echo "windows-deps: $*" >&2; }

# Newest first; the mirror may lack the newest security upload's files, so the older ones stay candidates.
source_versions() {
    apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -r -V | uniq
}

key_material() {
    local p
    for p in "${packages[@]}"; do echo "$p $(source_versions "$p" | tr '\n' ' ')"; done
    dpkg-query -W -f='${Package} ${Version}\n' googletest g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    echo "recipe $recipe"
}

for p in "${packages[@]}"; do
    [ -n "$(source_versions "$p")" ] || { log "no source package $p: add a deb-src entry (scripts/install-deps.sh)"; exit 1; }
done
cache=${SETUP_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/cd-setup-win}
key=$(key_material | sha256sum | cut -c1-16)
prefix=$cache/$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

log "building the dependencies into $prefix"
started=$(date +%s)
rm -rf "$prefix"
work=$(mktemp -d "${TMPDIR:-/tmp}/cd-setup-win-src.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$prefix"

fetch() {  # fetch PACKAGE -> prints the unpacked folder
    local p=$1 v
    for v in $(source_versions "$p"); do
        if (cd "$work" && apt-get source -qq "$p=$v" >/dev/null 2>&1); then
            find "$work" -maxdepth 1 -type d -name "${p}-*" | head -n1
            echo "$p $v" >>"$prefix/VERSIONS"
            return 0
        fi
        log "$p $v could not be fetched, trying an older version"
    done
    log "no version of $p could be fetched"
    return 1
}

export CC=$host-gcc-posix CXX=$host-g++-posix AR=$host-ar RANLIB=$host-ranlib
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
# Polite on a shared machine; SETUP_NICE=0 for a machine of its own.
run() { nice -n "${SETUP_NICE:-10}" "$@" >>"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }; }

autotools() {  # autotools FOLDER [configure arguments...]
    local dir=$1; shift
    (cd "$dir" && run ./configure --host=$host --prefix="$prefix" --disable-shared \
        --disable-dependency-tracking "$@" && run make -j"$jobs" && run make install)
}

cmake_configure() {  # cmake_configure SOURCE [cache entries...]
    local src=$1; shift
    run cmake -S "$src" -B "$src/_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
}
cmake_install() {  # cmake_install SOURCE
    run cmake --build "$1/_build" -j "$jobs"
    run cmake --install "$1/_build"
}

dir=$(fetch libogg); log "libogg"; autotools "$dir"
# Debian's own build ends with -O2 after the package's -ffast-math; the same flags give the same samples.
dir=$(fetch libvorbis); log "libvorbis"; autotools "$dir" CFLAGS="-O2 -ffast-math"
dir=$(fetch speex); log "speex"; autotools "$dir" --disable-binaries
dir=$(fetch expat); log "expat"
cmake_configure "$dir/expat" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_FUZZERS=OFF -DEXPAT_DTD=ON
# A security patch in the Debian package tests `#if XML_DTD == 1`; CMake's header defines it empty.
sed -i 's/^#define XML_DTD$/#define XML_DTD 1/' "$dir/expat/_build/expat_config.h"
grep -q '^#define XML_DTD 1$' "$dir/expat/_build/expat_config.h"
cmake_install "$dir/expat"
log "googletest"
cp -r /usr/src/googletest "$work/googletest"
cmake_configure "$work/googletest" -DBUILD_GMOCK=ON
cmake_install "$work/googletest"

dir=$(fetch wxwidgets3.2); log "wxWidgets (the long one)"
# Only what the dialogs and XRC use: images stay BMP/XPM/ICO, so no PNG/JPEG/TIFF/zlib.
autotools "$dir" --with-msw --with-expat=sys --without-libpng --without-libjpeg --without-libtiff \
    --without-zlib --without-liblzma --without-opengl --without-regex --without-nanosvg \
    --without-libcurl --disable-tests --disable-webview --disable-mediactrl --disable-stc \
    --disable-html --disable-htmlhelp --disable-help --disable-richtext --disable-aui --disable-ribbon \
    --disable-propgrid --disable-webrequest --disable-sockets --disable-protocols --disable-url \
    --disable-fs_inet --disable-fs_zip --disable-fs_archive --disable-zipstream --disable-tarstream \
    --disable-arcstream --disable-svg --disable-grid --disable-dataviewctrl --disable-treelist --disable-sound \
    --disable-mdi --disable-mdidoc --disable-docview --disable-printarch --disable-postscript \
    --disable-debugreport --disable-joystick --disable-calendar --disable-datepick --disable-timepick \
    --disable-richtooltip --disable-secretstore --disable-webviewie --disable-webviewedge \
    CPPFLAGS="-I$prefix/include -DXML_STATIC" LDFLAGS="-L$prefix/lib"

cp "$work/build.log" "$prefix/build.log"
touch "$prefix/.complete"
log "done in $(( $(date +%s) - started )) s"
echo "$prefix"
