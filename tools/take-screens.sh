#!/usr/bin/env bash
# Under Xvfb: starts the program, photographs each page it reaches through
# the toolbar, and closes it. Arguments: the program, the folder for the PNGs.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
exe=$1
out=$2
start_wine_session
"$TOLMARO_WINE" "$exe" &
program=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Tolmaro, das Zirkano 2.0 Tool$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the main dialog did not appear" >&2; kill "$program"; exit 1; }
sleep 1

shot() {
  sleep 0.7
  /usr/bin/import -window root -crop "$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')+$x+$y" +repage "$out/$1.png" 2>/dev/null \
    || /usr/bin/import -window root "$out/$1.png"
}

eval "$(xdotool getwindowgeometry --shell "$window")"
x=$X; y=$Y
# Wine draws no frame without a window manager: add room for the caption.
shot page1-preview

# Toolbar buttons are 23 pixels apart, the first one at the left edge.
click_button() {
  xdotool mousemove --window "$window" $((12 + 23 * $1)) 12 click 1
}
names=(choose pilot settings1 settings2 files waypoints about)
for i in 1 2 3 4 5 6; do
  click_button "$i"
  shot "page$((i + 1))-${names[$i]}"
done

xdotool windowclose "$window" 2>/dev/null || true
wait "$program" || true
end_wine_session
