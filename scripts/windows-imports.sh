#!/usr/bin/env bash
# Fails when a Windows program needs a DLL that Windows does not ship itself (the program must run
# from the CD with nothing installed beside it). Arguments: the .exe files to check.
set -euo pipefail
system_dlls=" advapi32 comctl32 comdlg32 gdi32 gdiplus imm32 kernel32 msimg32 msvcrt ole32 oleacc oleaut32
    rpcrt4 shell32 shlwapi user32 uuid uxtheme version winhttp winmm winspool.drv ws2_32 "
status=0
for exe in "$@"; do
    while read -r dll; do
        name=$(echo "${dll%.dll}" | tr '[:upper:]' '[:lower:]')
        if [[ " $(echo $system_dlls) " != *" $name "* ]]; then
            echo "$exe needs $dll, which Windows does not ship" >&2
            status=1
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
exit $status
