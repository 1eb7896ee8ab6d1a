#!/usr/bin/env bash
# Builds tolmaro.exe and starts it under Wine on a fresh copy of the sample
# instrument, mapped as drive E:. With a display the window opens for the
# user; without one the program runs under Xvfb, every page is
# photographed into build/screens/ (build/screens-language1/ and so on with
# TOLMARO_DEMO_LANGUAGE), and the program is closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
tools/build/install_deps.sh
tools/build/build.sh win32
. tools/wine/wine_env.sh
[ "$TOLMARO_WINE_ARCH" = win32 ] || tools/build/build.sh win64
ensure_wine_prefix

# A fresh copy each time, so that saves in the demo never change the sample,
# made by the sample's generator with the empty folders that git cannot keep.
instrument=$root/build/demo/instrument
rm -rf "$instrument"
python3 tools/samples/make_sample_instrument.py --out "$instrument" >/dev/null
# TOLMARO_DEMO_LANGUAGE=1 shows the sample in another of its languages.
if [ -n "${TOLMARO_DEMO_LANGUAGE:-}" ]; then
  sed -i "s/^Sprache:[0-9]*;/Sprache:$TOLMARO_DEMO_LANGUAGE;/" "$instrument/SETUP/setupdata.txt"
fi
map_drive e "$instrument"
# A waypoint file to read on page 9, beside the instrument.
python3 tools/samples/make_sample_instrument.py --task build/demo/aufgabe.gpx >/dev/null
export TOLMARO_DEMO_TASK=$(winpath "$root/build/demo/aufgabe.gpx")
for letter in d f g; do rm -f "$WINEPREFIX/dosdevices/$letter:"; done

exe=$TOLMARO_WIN_BUILD/tolmaro.exe
if [ -n "${DISPLAY:-}" ]; then
  echo "Tolmaro is running with the sample instrument on drive E:."
  "$TOLMARO_WINE" "$exe"
  exit 0
fi
screens=build/screens${TOLMARO_DEMO_LANGUAGE:+-language$TOLMARO_DEMO_LANGUAGE}
mkdir -p "$screens"
xvfb-run -a -s "-screen 0 1024x768x24" tools/demo/take_screens.sh "$exe" "$screens"
# The start page shows only while no pilot data were read.
rm "$instrument/SETUP/igcheader.txt"
xvfb-run -a -s "-screen 0 1024x768x24" tools/demo/take_screens.sh "$exe" "$screens" start
echo "Screenshots of every page are in $screens/."
