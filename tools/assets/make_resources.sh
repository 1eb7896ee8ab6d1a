#!/usr/bin/env bash
# Remakes every generated resource (icon, toolbar, instrument picture, clips,
# about document) in resources/ and then checks the clips.  The outputs are
# committed, so the build itself never needs Python.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$here/../../resources"
for gen in make_icon.py make_toolbar.py make_picture.py make_clips.py make_about.py; do
  python3 "$here/$gen"
done
if command -v ffprobe >/dev/null 2>&1; then
  "$here/../../tests/checks/check_clips.sh"
fi
