# Sourced by the scripts that run Windows programs: a private Wine prefix in
# build/, and the Wine loader that this machine can run.
#
# The program is a 32-bit Windows program. Where the machine cannot run
# 32-bit processes (some virtual machines lack 32-bit support in the kernel),
# 32-bit Wine cannot start, and the tests run the 64-bit build of the same
# sources under 64-bit Wine instead.

TOLMARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

if [ -z "${TOLMARO_WINE_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    TOLMARO_WINE_ARCH=win32
  else
    TOLMARO_WINE_ARCH=win64
  fi
fi
if [ "$TOLMARO_WINE_ARCH" = win32 ]; then
  TOLMARO_WINE=/usr/lib/wine/wine
  TOLMARO_WIN_BUILD=$TOLMARO_ROOT/build/win32
else
  TOLMARO_WINE=/usr/lib/wine/wine64
  TOLMARO_WIN_BUILD=$TOLMARO_ROOT/build/win64
fi
export TOLMARO_WINE_ARCH TOLMARO_WINE TOLMARO_WIN_BUILD
export WINEPREFIX=$TOLMARO_ROOT/build/wine-$TOLMARO_WINE_ARCH
export WINEARCH=$TOLMARO_WINE_ARCH
export WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 1252 for the program's single-byte texts.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

# The Windows path of a host path, through drive Z:.
winpath() {
  local path=${1//\//\\}
  echo "Z:$path"
}

# Creates the prefix once: no window manager waits, no Mono or Gecko.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.tolmaro-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$TOLMARO_WINE" wineboot -i >/dev/null 2>&1
    "$TOLMARO_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.tolmaro-ready"
  fi
}

# map_drive LETTER FOLDER: the folder appears as drive LETTER: under Wine.
map_drive() {
  mkdir -p "$2"
  ln -sfn "$(cd "$2" && pwd)" "$WINEPREFIX/dosdevices/$1:"
}

# The drives the Windows tests use, each an empty folder below build/.
map_test_drives() {
  for letter in d e f g; do
    map_drive "$letter" "$TOLMARO_ROOT/build/drives/$letter"
  done
  # H:\inst is an instrument with a flight log that opens but cannot be
  # read, as on failing memory: reading the start of /proc/self/mem is an
  # I/O error. In a folder, so that no drive scan finds it.
  local h=$TOLMARO_ROOT/build/drives/h
  rm -rf "$h"
  mkdir -p "$h/inst/SETUP" "$h/inst/FLIGHTS"
  cp "$TOLMARO_ROOT/samples/instrument/SETUP/setupdata.txt" "$h/inst/SETUP/"
  ln -s /proc/self/mem "$h/inst/FLIGHTS/unreadable.igc"
  map_drive h "$h"
}

# Keeps one Wine session up for many programs. Its background services are
# started here with their output closed, so that they do not hold on to the
# output of the first program run in the session (CTest waits for that).
start_wine_session() {
  "$WINESERVER" -p
  "$TOLMARO_WINE" wineboot >/dev/null 2>&1 </dev/null
}

end_wine_session() {
  "$WINESERVER" -k 2>/dev/null || true
}

# Under a display: starts a program in the background and waits for the
# main dialog; sets program, window and the dialog's X, Y, WIDTH, HEIGHT.
start_main_dialog() {
  "$TOLMARO_WINE" "$1" &
  program=$!
  window=""
  for _ in $(seq 100); do
    # The title is German or English, as the instrument's language.
    window=$(xdotool search --name '^Tolmaro, (das|the) Zirkano 2.0 [Tt]ool$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "the main dialog did not appear" >&2; kill "$program"; return 1; }
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# The frame's geometry includes the caption Wine draws; the toolbar's
# 23-pixel buttons start just below it.
click_toolbar_button() {
  xdotool mousemove $((X + 13 + 23 * $1)) $((Y + 36)) click 1
}

# A click on the header of a column of the flight book's list (page 8),
# which begins 24 pixels into the client area, the header's middle 80 below
# the frame's top; the columns' widths are read from the program's own table.
click_list_header() {
  local widths left=0 i
  read -ra widths <<<"$(sed -n 's/.*kColumnWidths\[.*\] = {\(.*\)};/\1/p' "$TOLMARO_ROOT/flights/flightbook.cpp" | tr -d ,)"
  [ "${#widths[@]}" -gt "$1" ] || { echo "no width of column $1 in flights/flightbook.cpp" >&2; return 1; }
  for ((i = 0; i < $1; i++)); do left=$((left + widths[i])); done
  xdotool mousemove $((X + 26 + left + widths[$1] / 2)) $((Y + 80)) click 1
}

# click_list_row ROW CLICKS: clicks on a row of the flight book's list, whose
# rows are 16 pixels high below its header.
click_list_row() {
  xdotool mousemove $((X + 70)) $((Y + 96 + 16 * $1)) click --repeat "$2" --delay 80 1
  sleep 1
}

# click_dialog_point LEFT TOP: clicks a point given in dialog units (the
# frame's pixels: twice across plus 4, 15/8 down plus 23 for Wine's
# caption, as the dialog's font makes them).
click_dialog_point() {
  xdotool mousemove $((X + 2 * $1 + 4)) $((Y + $2 * 15 / 8 + 23)) click 1
}

# click_page_button LEFT TOP WIDTH: clicks the middle of a button 14 units
# high placed at these dialog units.
click_page_button() {
  click_dialog_point $(($1 + $3 / 2)) $(($2 + 7))
  sleep 1
}

# Waits for a file dialog with a title that matches, types a path into its
# name field and presses Enter.
open_file_in_dialog() {
  local box=""
  for _ in $(seq 50); do
    box=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [ -n "$box" ] && break
    sleep 0.2
  done
  [ -n "$box" ] || { echo "the file dialog did not appear" >&2; return 1; }
  sleep 0.5
  xdotool type --delay 10 "$2"
  xdotool key Return
  sleep 1
}

# Closes the dialog with the keyboard as a user would, and waits for the
# program to end.
close_main_dialog() {
  # The window may be gone before xdotool has finished with it: not an error.
  xdotool key --window "$window" alt+F4 2>/dev/null || true
  for _ in $(seq 50); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}
