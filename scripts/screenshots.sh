#!/usr/bin/env bash
# Saves pictures of the start-up windows for the README (docs/screenshots), under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
medium="$PWD/build/medium"
out="$PWD/${1:-docs/screenshots}"
mkdir -p "$out"
capture() { # capture <LANG> <title> <file>
    scripts/with-display.sh bash -c '
        cd "$1" && LANG=$2 ./setup & program=$!
        "$5/scripts/screenshot-window.sh" "$3" "$4"
        kill $program 2>/dev/null || true' _ "$medium" "$1" "$2" "$out/$3" "$PWD"
}
capture en_US.UTF-8 "Moonrise Harbour - Setup" main-window-en.png
capture pl_PL.UTF-8 "Moonrise Harbour - Instalacja" main-window-pl.png
capture de_DE.UTF-8 "LANGUAGE" language-page.png
# The pages on their own, the drive list dropped down among them.
scripts/screenshot-pages.sh docs/pages >/dev/null
# The walkthrough's pictures of every page and box.
scripts/walkthrough.sh "$PWD/out/walkthrough" >/dev/null
rm -rf docs/walkthrough && mkdir -p docs/walkthrough
cp out/walkthrough/screenshots/*.png docs/walkthrough/
# The same walkthrough against setup.exe under Wine, when the Windows build is there.
if [ -f build-win/medium/setup.exe ]; then
    scripts/walkthrough-windows.sh "$PWD/out/walkthrough-windows" >/dev/null
    rm -rf docs/walkthrough-windows && mkdir -p docs/walkthrough-windows
    cp out/walkthrough-windows/screenshots/*.png docs/walkthrough-windows/
fi
echo "Screenshots in $out, docs/walkthrough and docs/walkthrough-windows"
