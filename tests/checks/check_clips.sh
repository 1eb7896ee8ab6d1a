#!/usr/bin/env bash
# ffprobe and ffmpeg read the animation clips: one RLE8 ("msrle") video
# stream of the size, frame count and rate the dialog shows, decoded without
# a warning, with the transparent key colour in the first frame's top-left pixel.
set -uo pipefail
cd "$(dirname "$0")/../../resources" || exit 1
failed=0
while read -r name w h n rate key; do
  want="stream|codec_name=msrle|width=$w|height=$h|r_frame_rate=$rate|nb_read_frames=$n"
  got=$(ffprobe -v error -count_frames -show_entries stream=codec_name,width,height,r_frame_rate,nb_read_frames \
    -of compact "$name" 2>&1)
  warnings=$(ffmpeg -nostdin -v warning -i "$name" -f null - 2>&1)
  corner=$(ffmpeg -nostdin -v error -i "$name" -frames:v 1 -vf crop=1:1:0:0 -f rawvideo -pix_fmt rgb24 - |
    od -An -tx1 | tr -d ' \n')
  if [ "$got" != "$want" ] || [ -n "$warnings" ] || [ "$corner" != "$key" ]; then
    echo "$name: $got $warnings, top-left pixel $corner; expected $want, $key"; failed=1
  fi
done <<'CLIPS'
clip1030.avi 282 60 20 1000000/33333 ff00ff
clip1031.avi 282 60 20 1000000/33333 ff00ff
clip1032.avi 282 60 20 1000000/33333 ff00ff
clip1033.avi 282 60 20 1000000/33333 ff00ff
clip1034.avi 48 48 10 8/1 c0c0c0
CLIPS
[ "$failed" -eq 0 ] && echo "5 clips as the dialog shows them"
exit $failed
