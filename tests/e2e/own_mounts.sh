# Sourced first by the tests that mount disc images or look for mounted discs. As root (the only
# user who may make one) the test goes on in a mount namespace of its own, without the disc mounts
# other runs have made, so that runs side by side neither see nor count each other's discs; its own
# mounts and the program's stay inside it. Elsewhere it runs in the machine's namespace.
# Usage: own_mounts "$0" "$@"
own_mounts() {
    if [ -z "${SETUP_OWN_MOUNTS:-}" ] && [ "$(id -u)" = 0 ] &&
        unshare --mount --propagation private true 2>/dev/null; then
        export SETUP_OWN_MOUNTS=1
        exec unshare --mount --propagation private bash "$@"
    fi
    [ -n "${SETUP_OWN_MOUNTS:-}" ] || return 0
    awk '$3 == "iso9660" || $3 == "udf" || $3 == "fuse.fuseiso" { print $2 }' /proc/self/mounts |
        while read -r folder; do umount -l "$(printf '%b' "$folder")" 2>/dev/null || true; done
}
