#!/usr/bin/env bash
# What a run tells when the target's disk fails it: a disk too small for the plain files, one too
# small for the sound records, and a read-only one. Each ends with the entry and, on a line of its
# own, the true cause: the full disk and how much more the installation needs, or the system's
# reason. Real small file systems (tmpfs) mounted in a mount namespace of the test's own.
# Arguments: the Linux build folder.
set -euo pipefail
build_dir=$1
if [ "$(id -u)" != 0 ] || ! unshare --mount --propagation private true 2>/dev/null; then
    echo "target disk test: skipped: mounting the small disks needs root and a mount namespace"
    exit 77
fi
if [ -z "${SETUP_OWN_MOUNTS:-}" ]; then
    SETUP_OWN_MOUNTS=1 exec unshare --mount --propagation private bash "$0" "$@"
fi
fail() { echo "target disk test: $*" >&2; exit 1; }
out=$(mktemp -d /tmp/cd-setup-target-disk.XXXXXX)
trap 'umount -l "$out/disk" 2>/dev/null || true; rm -rf "$out"' EXIT
mkdir -p "$out/home" "$out/disk"

# name, tmpfs options (ro: the target folder made, then the disk made read-only), language,
# the lines the terminal must show, what the log must say.
run_case() {
    local name=$1 options=$2 language=$3 expected=$4 logged=$5
    umount -l "$out/disk" 2>/dev/null || true
    mount -t tmpfs -o "${options#ro,}" "cd-setup-$name" "$out/disk"
    if [ "${options%%,*}" = ro ]; then
        mkdir "$out/disk/Moonrise"
        mount -o remount,ro "$out/disk"
    fi
    printf 'c:|fixed|%s\ne:|fixed|%s\n' "$out/home" "$out/disk" >"$out/drives"
    local status=0
    env -u DISPLAY HOME="$out/home" SETUP_REGISTRY_DIR="$out/home/registry" \
        SETUP_DRIVE_TABLE="$out/drives" "$build_dir/medium/setup" --quiet --ignore-space \
        --type std --language "$language" --dir 'E:\Moonrise' --log "$out/$name.log" \
        >"$out/$name.out" 2>&1 || status=$?
    [ $status = 1 ] || fail "$name: exit status $status: $(cat "$out/$name.out")"
    while IFS= read -r line; do
        grep -qF -- "$line" "$out/$name.out" || fail "$name: no \"$line\" in: $(cat "$out/$name.out")"
    done <<<"$expected"
    grep -q "^[0-9:.]* $logged" "$out/$name.log" ||
        fail "$name: the log says not \"$logged\": $(grep -E 'failed' "$out/$name.log")"
    echo "$name:"; sed 's/^/    /' "$out/$name.out"
}

run_case plain size=64k English \
    "Cannot write the file: data\\maps\\
The disk E: is full: the installation needs" \
    "copy failed: data\\\\maps\\\\[a-z]*.map: the disk is full"
run_case records size=400k English \
    "Cannot write the file: E:\\Moonrise\\music\\
The disk E: is full: the installation needs" \
    "archive failed: music\\\\music.snd: record [0-9]* at byte [0-9]*: the disk is full"
run_case records-pl size=400k Polski \
    "Dysk E: jest pełny: instalacja potrzebuje" \
    "archive failed: music\\\\music.snd: record [0-9]* at byte [0-9]*: the disk is full"
run_case read-only ro,size=1m English \
    "Cannot write the file: harbour.exe
The file could not be written in E:\\Moonrise.
Read-only file system." \
    "copy failed: harbour.exe: not written (Read-only file system)"
