#!/usr/bin/env bash
# Saves pictures of the start-up windows for the README (docs/screenshots), under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
medium="$PWD/build/medium"
out="$PWD/${1:-docs/screenshots}"
mkdir -p "$out"
capture() { # capture <LANG> <title> <file, in the output folder unless a full path>
    local file=$3
    [[ $file = /* ]] || file=$out/$file
    scripts/with-display.sh bash -c '
        cd "$1" && LANG=$2 ./setup & program=$!
        "$5/scripts/screenshot-window.sh" "$3" "$4"
        kill $program 2>/dev/null || true' _ "$medium" "$1" "$2" "$file" "$PWD"
}
capture en_US.UTF-8 "Moonrise Harbour - Setup" main-window-en.png
capture pl_PL.UTF-8 "Moonrise Harbour - Instalacja" main-window-pl.png
capture de_DE.UTF-8 "LANGUAGE" language-page.png
# The pages on their own, the drive list dropped down among them.
scripts/screenshot-pages.sh docs/pages >/dev/null
# The main window and the target folder page at larger text sizes.
mkdir -p docs/scaled
for scale in 1.5 2; do
    GDK_DPI_SCALE=$scale capture en_US.UTF-8 "Moonrise Harbour - Setup" \
        "$PWD/docs/scaled/main-window-${scale}x.png"
    GDK_DPI_SCALE=$scale scripts/screenshot-pages.sh "out/pages-$scale" >/dev/null
    cp "out/pages-$scale/target-folder.png" "docs/scaled/target-folder-${scale}x.png"
done
# The walkthrough's pictures of every page and box.
scripts/walkthrough.sh "$PWD/out/walkthrough" >/dev/null
rm -rf docs/walkthrough && mkdir -p docs/walkthrough
cp out/walkthrough/screenshots/*.png docs/walkthrough/
# The same walkthrough against setup.exe under Wine, when the Windows build is there.
if [ -f build-win/medium/setup.exe ]; then
    scripts/walkthrough-windows.sh "$PWD/out/walkthrough-windows" >/dev/null
    rm -rf docs/walkthrough-windows && mkdir -p docs/walkthrough-windows
    cp out/walkthrough-windows/screenshots/*.png docs/walkthrough-windows/
    SETUP_WINE_DPI=144 scripts/walkthrough-windows.sh "$PWD/out/walkthrough-windows-144" >/dev/null
    cp out/walkthrough-windows-144/screenshots/01-main-window.png docs/scaled/main-window-144dpi.png
    cp out/walkthrough-windows-144/screenshots/04-target-folder.png docs/scaled/target-folder-144dpi.png
fi
echo "Screenshots in $out, docs/walkthrough and docs/walkthrough-windows"
