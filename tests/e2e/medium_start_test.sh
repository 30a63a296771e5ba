#!/usr/bin/env bash
# The Linux program, installed apart from the disc, started on the medium: a read-only folder
# holding the disc's files, and an image of the disc mounted for the run. The medium is a CD-ROM
# drive with the disc's label, nothing is written onto it, and no mount outlives the run, however
# the run ends (success, failure, SIGTERM, SIGINT). A medium that cannot be used is named with the
# reason and fails the run.
# Arguments: the source folder, the Linux build folder.
set -euo pipefail
source "$(dirname "$0")/own_mounts.sh"
own_mounts "$0" "$@"
source_dir=$1 build_dir=$2
fail() { echo "medium start test: $*" >&2; exit 1; }
program=$build_dir/bin/setup
[ -x "$program" ] && [ -d "$build_dir/medium" ] || fail "no program or medium in $build_dir"

out=$(mktemp -d /tmp/cd-setup-medium-test.XXXXXX)
cleanup() { chmod -R u+w "$out" 2>/dev/null || true; rm -rf "$out"; }
trap cleanup EXIT
disc=$out/disc
cp -a "$build_dir/medium" "$disc"
rm "$disc/setup" # the person's disc holds no program of ours
# A name the script writes in other letters' case than the disc (as Windows matches them).
printf 'a turtle\n' >"$disc/extras/ŻÓŁW.DAT"
sed -i 's/^files=10$/files=11/' "$disc/install.ini"
printf '10=extras\\żółw.dat\n' >>"$disc/install.ini"
export LANG=C.UTF-8 WINEDEBUG=-all
# The program mounts images in a folder of the user's runtime folder: one of the test's own, so
# that what it leaves behind is told from what runs beside it leave.
export XDG_RUNTIME_DIR=$out/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset SETUP_DRIVE_TABLE WINDIR XDG_DATA_HOME WINEPREFIX

# install <row> <medium> [arguments]: an unattended full install from the medium, in a home of the
# row's own; its exit status.
install() {
    local row=$1 medium=$2
    shift 2
    mkdir -p "$out/$row"
    HOME=$out/$row SETUP_REGISTRY_DIR=$out/$row/registry \
        "$program" --quiet --type max --language English --log "$out/$row.log" "$@" ${medium:+"$medium"} \
        >"$out/$row.out" 2>&1
}
installed() { # installed <row>: the game's files and decoded sounds are in the row's home
    local target="$out/$1/Games/Moonrise Harbour"
    for file in harbour.exe data/textures/water.tex music/theme.wav speech/welcome.wav install.ini \
        extras/żółw.dat; do
        [ -f "$target/$file" ] || fail "$1: $file was not installed"
    done
}
state() { (cd "$1" && find . -printf '%p %s %T@ %m\n' | sort && find . -type f -exec md5sum {} + | sort); }
# Disc images other programs have mounted stay as they are: only this test's count.
disc_mounts() { grep -c 'fuseiso\|cd-setup-disc' /proc/self/mounts || true; }
mounts_before=$(disc_mounts)
mounts_left() { echo $(($(disc_mounts) - mounts_before)); }
# The drive letter the medium gets: the first free one from D:, after the machine's other discs.
medium_line() { # medium_line <log> <medium> <label part>: the log names the medium as a CD-ROM drive
    grep -qE "^[0-9:.]+ medium: $(printf '%s' "$2" | sed 's/[].[*^$+?(){}|\\]/\\&/g') as the drive [D-Y]:\\\\ \\(CD-ROM, $3\\)\$" "$1"
}

# A folder of the disc's files, every file and folder read-only: installed from, never written.
chmod -R a-w "$disc"
before=$(state "$disc")
install folder "$disc" || fail "folder: the run failed: $(cat "$out/folder.out")"
installed folder
medium_line "$out/folder.log" "$disc" "no label" ||
    fail "folder: $(grep '^[0-9:.]* medium' "$out/folder.log")"
[ "$(state "$disc")" = "$before" ] || fail "folder: the run wrote onto the medium"
echo "folder: installed from the read-only medium on D:"

# What cannot be a medium, each named with its reason.
mkdir "$out/empty"
head -c 100000 /dev/urandom >"$out/garbage.iso"
for row in "empty|$out/empty|holds no install.ini" "missing|$out/nothing|does not exist" \
           "garbage|$out/garbage.iso|could not be mounted"; do
    IFS='|' read -r name medium reason <<<"$row"
    if install "$name" "$medium"; then fail "$name: $medium was taken as a medium"; fi
    grep -qF "$reason" "$out/$name.out" || fail "$name: the run did not say why: $(cat "$out/$name.out")"
    [ ! -e "$out/$name/Games" ] || fail "$name: something was installed"
    echo "$name: refused, $reason"
done
mkdir -p "$out/nowhere"
if HOME=$out/nowhere "$program" --quiet --language English >"$out/nowhere.out" 2>&1; then
    fail "no medium: the run went on"
fi
grep -qF "No disc with a setup program" "$out/nowhere.out" || fail "no medium: $(cat "$out/nowhere.out")"
echo "no medium: says how to start the program on a folder or an image"

# An image of the disc, mounted in user space for the run: FUSE must be usable here.
if ! command -v fuseiso >/dev/null || ! command -v xorriso >/dev/null || [ ! -r /dev/fuse ] || [ ! -w /dev/fuse ]; then
    echo "medium start test: the image rows need fuseiso, xorriso and a usable /dev/fuse; skipped"
    exit 0
fi
image=$out/moonrise.iso
xorriso -as mkisofs -quiet -J -R -V 'Moonrise Disc' -o "$image" "$disc" 2>/dev/null
[ "$(mounts_left)" = 0 ] || fail "a disc image is mounted before the test"
install image "$image" || fail "image: the run failed: $(cat "$out/image.out")"
installed image
medium_line "$out/image.log" "$image" "labelled Moonrise Disc" ||
    fail "image: $(grep '^[0-9:.]* medium' "$out/image.log")"
[ "$(mounts_left)" = 0 ] || fail "image: the image is still mounted after the run"
echo "image: installed from the image, mounted as D: labelled 'Moonrise Disc', unmounted after"

# A failed run unmounts too: the target cannot be made (a file stands where its folder would be).
mkdir -p "$out/failed"
touch "$out/failed/Games"
if install failed "$image" --dir 'C:\Games\Moonrise Harbour'; then fail "failed: the run succeeded"; fi
[ "$(mounts_left)" = 0 ] || fail "failed: the image is still mounted after a failed run"
echo "failed: the image is unmounted after a failed run"

# A run ended from outside, on the main window: the image is unmounted before the program is gone.
for signal in TERM INT; do
    "$source_dir/scripts/fresh-display.sh" bash -c '
        HOME=$1 "$2" "$3" >/dev/null 2>&1 &
        pid=$!
        mounted() { grep -qF "$4" /proc/self/mounts; }
        for _ in $(seq 300); do mounted "$@" && break; sleep 0.1; done
        mounted "$@" || { echo "the image was never mounted"; kill $pid; exit 1; }
        sleep 1 # the main window is up
        kill -'"$signal"' $pid
        wait $pid || true
        mounted "$@" && { echo "still mounted after SIG'"$signal"'"; exit 1; }
        exit 0' _ "$out/signal" "$program" "$image" "cd-setup-disc-moonrise_iso-" || fail "SIG$signal: the image outlived the run"
    echo "SIG$signal: the image is unmounted when the run ends"
done
[ -z "$(ls -d "$XDG_RUNTIME_DIR"/cd-setup-disc-* 2>/dev/null)" ] ||
    fail "a mount folder was left behind"

# Started without a medium and without a script beside it: the mounted disc that holds a setup
# script. With two, the person chooses one on a page of its own (unattended: the run names them).
mkdir -p "$out/discs/first" "$out/discs/second"
second_image=$out/second.iso
xorriso -as mkisofs -quiet -J -R -V SECOND -o "$second_image" "$disc" 2>/dev/null
fuseiso "$image" "$out/discs/first"
trap 'fusermount -u "$out/discs/first" 2>/dev/null; fusermount -u "$out/discs/second" 2>/dev/null; cleanup' EXIT
install one-disc "" 2>/dev/null || fail "one disc: the run failed: $(cat "$out/one-disc.out")"
medium_line "$out/one-disc.log" "$out/discs/first" "no label" ||
    fail "one disc: $(grep '^[0-9:.]* medium' "$out/one-disc.log")"
echo "one disc: installed from the mounted disc"
fuseiso "$second_image" "$out/discs/second"
if install two-discs ""; then fail "two discs: the unattended run chose one"; fi
grep -qF "Several discs hold a setup program" "$out/two-discs.out" && grep -qF "$out/discs/second" "$out/two-discs.out" ||
    fail "two discs: $(cat "$out/two-discs.out")"
echo "two discs: the unattended run names them"
mkdir -p "$out/chooser"
"$source_dir/scripts/fresh-display.sh" bash -c '
    source "$1/scripts/walkthrough-pages.sh"
    shots=$2/shots; mkdir -p "$shots"
    wait_for_window_manager
    HOME=$2/chooser SETUP_REGISTRY_DIR=$2/chooser/registry LANG=C.UTF-8 "$3" --log "$2/chooser.log" &
    program=$!
    page "Choose a disc" choose-a-disc Down Return
    page "Moonrise Harbour - Setup" main-window Escape
    wait_for_end $program' _ "$source_dir" "$out" "$program" >"$out/chooser.out" 2>&1 ||
    fail "chooser: the walk failed: $(cat "$out/chooser.out")"
medium_line "$out/chooser.log" "$out/discs/second" "no label" ||
    fail "chooser: $(grep '^[0-9:.]* medium' "$out/chooser.log")"
echo "chooser: the person chose the second disc, which became the run's medium"
