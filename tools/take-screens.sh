#!/usr/bin/env bash
# Under Xvfb: starts the program, photographs each page it reaches through
# the toolbar, and closes it. Arguments: the program, the folder for the PNGs,
# and "start" for an instrument without pilot data, which stays on the start
# page (page 0): only that page is photographed.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
exe=$1
out=$2
only=${3:-}
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
eval "$(xdotool getwindowgeometry --shell "$window")"

shot() {
  # Move the pointer off the toolbar, so that no button is drawn hot.
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 4))
  sleep 0.7
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"
}

# The frame's geometry includes the caption Wine draws; the toolbar's
# 23-pixel buttons start just below it.
click_button() {
  xdotool mousemove $((X + 13 + 23 * $1)) $((Y + 36)) click 1
}

if [ "$only" = start ]; then
  shot page0-start
else
  shot page1-preview
  names=(choose pilot settings1 settings2 files waypoints about)
  for i in 1 2 3 4 5 6; do
    click_button "$i"
    shot "page$((i + 1))-${names[$i]}"
  done
fi

# Close with the keyboard as a user would, and wait for the program to end.
xdotool key --window "$window" alt+F4 || true
for _ in $(seq 50); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
end_wine_session
