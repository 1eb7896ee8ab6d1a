#!/usr/bin/env bash
# Checks the program file: a 32-bit GUI program that needs no DLL but
# Windows' own, at most 600 KB, without debug sections; its debug
# information in the file beside it that its debug link names, where a
# code address resolves to a source line.
set -euo pipefail
exe=$1
debug=$exe.debug
tools=i686-w64-mingw32
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { file "$exe"; echo "not a 32-bit GUI program"; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|SHELL32|ole32|msvcrt|ADVAPI32)\.dll$'
bad=0
while read -r dll; do
  if ! grep -qiE "$allowed" <<<"$dll"; then echo "imports $dll"; bad=1; fi
done < <($tools-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')

size=$(stat -c %s "$exe")
if [ "$size" -gt 600000 ]; then echo "$exe: $size bytes, more than 600 KB"; bad=1; fi
sections=$($tools-objdump -h "$exe" | awk '$1 ~ /^[0-9]+$/ && $2 ~ /^\.(debug|zdebug|stab)/ {print $2}')
if [ -n "$sections" ]; then echo "$exe: debug sections" $sections; bad=1; fi

# The debug link names the file beside the program, and that file resolves
# an address of the program's own code.
link=$($tools-objdump -s -j .gnu_debuglink "$exe" 2>/dev/null | sed -n 's/^ [0-9a-f]\{6,\} .\{35\} *//p' | tr -d '\n')
if [[ "$link" != "$(basename "$debug")"* ]]; then echo "$exe: no debug link to $(basename "$debug")"; bad=1; fi
address=$($tools-nm -C "$debug" 2>/dev/null | awk '/ RunTolmaro\(/ {print $1}')
line=$($tools-addr2line -e "$debug" "0x${address:-0}" 2>/dev/null || true)
if [[ "$line" != */app/dialog.cpp:* ]]; then echo "$debug: RunTolmaro at 0x$address resolves to '$line'"; bad=1; fi

[ "$bad" -eq 0 ] && echo "$exe: 32-bit GUI, Windows DLLs only, $size bytes, no debug sections; RunTolmaro at $line"
exit "$bad"
