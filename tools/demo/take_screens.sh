#!/usr/bin/env bash
# Under Xvfb: starts the program, photographs each page it reaches through
# the toolbar, and closes it. Arguments: the program, the folder for the PNGs,
# and "start" for an instrument without pilot data, which stays on the start
# page (page 0): only that page is photographed.
set -euo pipefail
. "$(dirname "$0")/../wine/wine_env.sh"
exe=$1
out=$2
only=${3:-}
start_wine_session
start_main_dialog "$exe"

shot() {
  # Move the pointer off the toolbar, so that no button is drawn hot.
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 4))
  sleep 0.7
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"
}

if [ "$only" = start ]; then
  shot page0-start
else
  shot page1-preview
  names=(choose pilot settings1 settings2 files waypoints about flightbook)
  for i in 1 2 3 4 5 6 7; do
    click_toolbar_button "$i"
    shot "page$((i + 1))-${names[$i]}"
  done
  # Page 10: the longest flight by a double-click on its row, a moment of
  # it under the pointer, then the flight over midnight by its button.
  click_list_row 1 2
  shot page10-flight
  xdotool mousemove $((X + 180)) $((Y + 180))
  sleep 0.7
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/page10-flight-pointer.png"
  click_page_button 80 244 80
  click_list_row 2 1
  click_page_button 98 242 72
  shot page10-midnight
  click_page_button 80 244 80
  # The flight book sorted by a click on the header of its "Dauer" column.
  click_list_header 3
  shot page8-flightbook-dauer
  # Page 9 with a waypoint file read through the open dialog, then scrolled
  # to the notes.
  if [ -n "${TOLMARO_DEMO_TASK:-}" ]; then
    click_toolbar_button 8
    click_page_button 12 204 104   # "Datei öffnen"
    open_file_in_dialog '^(Wegepunktdatei öffnen|Open waypoint file)$' "$TOLMARO_DEMO_TASK"
    shot page9-import
    for _ in 1 2; do click_dialog_point 200 168; done   # the list's scroll bar, right of its thumb
    shot page9-import-notes
  fi
fi

close_main_dialog
end_wine_session
