#!/usr/bin/env bash
# Photographs the file page's full copy under Xvfb: the folder browser, the
# page twice while a long copy runs (the file on the Status line, the clip
# moving) and once after it (the count and the closing clip). The
# instrument is a tree of 6,000 files (about 1.2 GB) in build/copy-screens/
# on drive E:; the copy goes to the Desktop, which the browser offers first
# and which is made a plain folder inside the Wine prefix for it. Both are
# deleted afterwards. The pictures go to build/screens/copy-*.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. tools/wine/wine_env.sh
work=$root/build/copy-screens
out=$root/build/screens
desktop=$WINEPREFIX/drive_c/users/$(id -un)/Desktop

shoot() {
  start_wine_session
  start_main_dialog "$TOLMARO_WIN_BUILD/tolmaro.exe"
  shot() {
    /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"
  }
  # Toolbar button 4, the file page; then its button "Alle Daten kopieren",
  # whose centre lies at (246, 291) in the dialog as Wine draws it.
  click_toolbar_button 4
  sleep 0.5
  xdotool mousemove $((X + 246)) $((Y + 291)) click 1
  sleep 1.5
  shot copy-1-browser
  # The Desktop is chosen already: OK.
  xdotool key Return
  sleep 0.8
  shot copy-2-running
  sleep 0.7
  shot copy-3-running
  local files
  files=$(find "$work/instrument" -type f | wc -l)
  for _ in $(seq 600); do
    [ "$(find "$desktop" -type f | wc -l)" -ge "$files" ] && break
    sleep 0.1
  done
  # The closing clip plays 10 frames at 8 per second.
  sleep 2
  shot copy-4-done
  close_main_dialog
  end_wine_session
}

if [ "${1:-}" = --shoot ]; then
  shoot
  exit 0
fi

tools/build/install_deps.sh
tools/build/build.sh win32
[ "$TOLMARO_WINE_ARCH" = win32 ] || tools/build/build.sh win64
ensure_wine_prefix
rm -rf "$work"
trap 'rm -rf "$work" "$desktop"; mkdir -p "$desktop"' EXIT
python3 tools/samples/make_bench_instrument.py "$work/instrument" 6000
cp samples/instrument/SETUP/*.txt "$work/instrument/SETUP/"
map_drive e "$work/instrument"
for letter in d f g; do rm -f "$WINEPREFIX/dosdevices/$letter:"; done
# A new prefix links the Desktop to the home folder: copy into the prefix.
rm -rf "$desktop"
mkdir -p "$desktop" "$out"
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --shoot
echo "Screenshots of the full copy are in build/screens/copy-*.png."
