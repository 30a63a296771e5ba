#!/usr/bin/env bash
# The keyboard walkthrough of the demo medium as a test: it must end with the product installed.
set -euo pipefail
source_dir=$1 build_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
MEDIUM="$build_dir/medium" "$source_dir/scripts/walkthrough.sh" "$out"
machine="$out/machine"
target="$machine/home/Games/Moonrise Harbour"
fail() { echo "walkthrough test: $*" >&2; exit 1; }
[ "$(ls "$out/screenshots" | wc -l)" -eq 8 ] || fail "expected 8 screenshots, got: $(ls "$out/screenshots")"
for file in harbour.exe readme.txt data/levels/level1.lvl music/theme.wav speech/welcome.wav title.bmp; do
    [ -f "$target/$file" ] || fail "missing $file"
done
[ -f "$target/data/textures/water.tex" ] || fail "the walkthrough chose the full install, textures missing"
grep -q '^Language=English' "$target/install.ini" || fail "no language recorded in the installed script"
grep -q '"ProgramPath"="C:\\\\Games\\\\Moonrise Harbour"' "$machine/registry/"*user* || fail "no ProgramPath"
[ "$(ls "$machine/data/applications/Tervalis/Moonrise Harbour" | wc -l)" -eq 3 ] || fail "expected 3 shortcuts"
# A run that goes well prints nothing: no decoder's note, no toolkit's complaint.
[ ! -s "$out/setup-stderr.txt" ] || fail "the run printed: $(head -c 2000 "$out/setup-stderr.txt")"
echo "walkthrough installed the demo as a person would"
