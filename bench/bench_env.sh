# Sourced by the benchmarks that run the program under Wine (from the
# repository's root): Wine's environment, the "key: value" lines the bench
# programs print, the scratch folder $work, and the measuring pass, which the
# script runs again under Xvfb with --measure, inside one Wine session.
. tools/wine/wine_env.sh

# value KEY TEXT: the value of the line "KEY: value" in TEXT.
value() {
  sed -n "s/^$1: //p" <<<"$2"
}

# dialog_bench MODE INSTRUMENT: the real dialog's run of one mode (--book,
# --flight) on the instrument in that folder, its lines as UTF-8.
dialog_bench() {
  "$TOLMARO_WINE" "$TOLMARO_WIN_BUILD/copy_bench.exe" "$1" "$(winpath "$2/SETUP/setupdata.txt")" | tr -d '\r' |
    iconv -f CP1252 -t UTF-8
}

# Started with --measure: runs the script's measure function in one Wine
# session and exits.
measure_if_asked() {
  if [ "${1:-}" = --measure ]; then
    start_wine_session
    trap end_wine_session EXIT
    measure
    exit 0
  fi
}

# The Windows build, the Wine prefix and an empty $work, deleted at the end.
prepare_bench() {
  tools/build/build.sh win32
  [ "$TOLMARO_WINE_ARCH" = win32 ] || tools/build/build.sh win64
  ensure_wine_prefix
  rm -rf "$work"
  mkdir -p "$work"
  trap 'rm -rf "$work"' EXIT
}

# This script again with --measure, under Xvfb.
run_measure() {
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --measure
}
