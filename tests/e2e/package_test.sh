#!/usr/bin/env bash
# The Debian package made from the build: its fields name what the program needs, dpkg installs it
# (into a root of the test's own, with a package database of its own), the desktop entry and the
# metainfo validate, the installed program installs the game from a disc that holds no program of
# ours, and dpkg removes every file it installed.
# Arguments: the Linux build folder.
set -euo pipefail
build_dir=$1
fail() { echo "package test: $*" >&2; exit 1; }
for tool in cpack dpkg dpkg-deb desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
out=$(mktemp -d /tmp/cd-setup-package-test.XXXXXX)
trap 'rm -rf "$out"' EXIT
(cd "$build_dir" && cpack -B "$out/package" >"$out/cpack.txt" 2>&1) || fail "cpack: $(tail "$out/cpack.txt")"
deb=$(ls "$out"/package/cd-setup_*_*.deb)

field() { dpkg-deb -f "$deb" "$1"; }
for needed in libwxgtk3.2 libwxbase3.2 libogg0 libvorbisfile3 libspeex1 libicu72 xdg-utils; do
    field Depends | grep -q "$needed" || fail "Depends does not name $needed: $(field Depends)"
done
for recommended in wine fuseiso; do
    field Recommends | grep -qw "$recommended" || fail "Recommends does not name $recommended"
done
echo "fields: $(field Package) $(field Version); Depends names the toolkit, codecs and the desktop's opener, Recommends Wine and fuseiso"

root=$out/root admin=$out/dpkg
mkdir -p "$root" "$admin/info" "$admin/updates"
touch "$admin/status"
pkg() { dpkg --force-not-root --force-depends --admindir="$admin" --instdir="$root" "$@"; }
pkg -i "$deb" >"$out/dpkg-install.txt" 2>&1 || fail "dpkg -i: $(cat "$out/dpkg-install.txt")"
usr=$root/usr
[ -x "$usr/bin/cd-setup" ] && [ -x "$usr/bin/cd-setup-sndpack" ] && [ -x "$usr/bin/cd-setup-check" ] ||
    fail "the programs are not in bin/: $(ls "$usr/bin")"
entry=$usr/share/applications/org.example.DiscSetup.desktop
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Exec=cd-setup %f' "$entry" || fail "the entry does not start cd-setup on the medium"
grep -q '^MimeType=.*x-content/win32-software;' "$entry" && grep -q '^MimeType=.*application/x-cd-image;' "$entry" ||
    fail "the entry is not offered for Windows software discs and disc images"
appstreamcli validate --no-net "$usr/share/metainfo/org.example.DiscSetup.metainfo.xml" >"$out/appstream.txt" ||
    fail "the metainfo does not validate: $(cat "$out/appstream.txt")"
for size in 16x16 32x32 48x48 64x64 128x128 256x256; do
    [ -f "$usr/share/icons/hicolor/$size/apps/cd-setup.png" ] || fail "no $size icon"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/cd-setup.svg" ] || fail "no scalable icon"
echo "installed: programs, desktop entry and metainfo valid, icons in the hicolor sizes"

"$usr/bin/cd-setup" --help | grep -q 'MEDIUM' || fail "the installed program's help names no MEDIUM"
disc=$out/disc
cp -a "$build_dir/medium" "$disc"
rm "$disc/setup"
medium=$disc
if command -v fuseiso >/dev/null && command -v xorriso >/dev/null && [ -r /dev/fuse ] && [ -w /dev/fuse ]; then
    xorriso -as mkisofs -quiet -J -R -V MOONRISE -o "$out/moonrise.iso" "$disc" 2>/dev/null
    medium=$out/moonrise.iso
fi
mkdir -p "$out/home"
HOME=$out/home SETUP_REGISTRY_DIR=$out/home/registry LANG=C.UTF-8 \
    "$usr/bin/cd-setup" --quiet --type max --language English --log "$out/run.log" "$medium" \
    >"$out/run.txt" 2>&1 || fail "the installed program failed: $(cat "$out/run.txt")"
[ -f "$out/home/Games/Moonrise Harbour/music/theme.wav" ] || fail "the game was not installed"
grep '^[0-9:.]* medium: ' "$out/run.log"
! grep -q 'cd-setup-disc-moonrise_iso-' /proc/self/mounts || fail "the image is still mounted"
echo "ran: installed the game from $(basename "$medium")"

pkg -r cd-setup >"$out/dpkg-remove.txt" 2>&1 || fail "dpkg -r: $(cat "$out/dpkg-remove.txt")"
left=$(find "$root" -not -type d)
[ -z "$left" ] || fail "dpkg -r left files behind: $left"
echo "removed: no file of the package is left"
