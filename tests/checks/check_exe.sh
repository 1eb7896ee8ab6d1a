#!/usr/bin/env bash
# Checks the program file: a 32-bit GUI program that needs no DLL but
# Windows' own, at most 700 KB (room for the flight view and the page of
# waypoints onto the instrument), without debug sections; its debug
# information in the file beside it that its debug link names, where a
# code address resolves to a source line.
set -uo pipefail
exe=$1
debug=$exe.debug
dump() { i686-w64-mingw32-objdump "$@" "$exe"; }
problems=$(
  file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || echo "not a 32-bit GUI program"
  dump -p | sed -n 's/.*DLL Name: //p' |
    grep -viE '^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|SHELL32|ole32|msvcrt|ADVAPI32)\.dll$' | sed 's/^/imports /'
  [ "$(stat -c %s "$exe")" -le 700000 ] || echo "more than 700 KB"
  dump -h | awk '$2 ~ /^\.(debug|zdebug|stab)/ {print "debug section " $2}'
  dump -s -j .gnu_debuglink 2>/dev/null | grep -q "$(basename "$debug" | cut -c1-16)" || echo "no debug link"
  address=$(i686-w64-mingw32-nm -C "$debug" | awk '/ RunTolmaro\(/ {print $1}')
  line=$(i686-w64-mingw32-addr2line -e "$debug" "0x${address:-0}")
  [[ "$line" == */app/dialog.cpp:* ]] || echo "RunTolmaro at 0x$address resolves to '$line'"
)
[ -z "$problems" ] && echo "$exe: 32-bit GUI, Windows DLLs only, no debug sections, debug file beside it" ||
  { echo "$exe: $problems"; exit 1; }
