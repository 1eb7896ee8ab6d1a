#!/usr/bin/env bash
# Checks the program file: a 32-bit GUI program that needs no DLL but
# Windows' own.
set -euo pipefail
exe=$1
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { file "$exe"; echo "not a 32-bit GUI program"; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|SHELL32|ole32|msvcrt|ADVAPI32)\.dll$'
bad=0
while read -r dll; do
  if ! grep -qiE "$allowed" <<<"$dll"; then echo "imports $dll"; bad=1; fi
done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
[ "$bad" -eq 0 ] && echo "$exe: 32-bit GUI, Windows DLLs only"
exit "$bad"
