#!/usr/bin/env bash
# Checks the generated animation clips with ffprobe/ffmpeg: RLE8 ("msrle")
# video of the right size, frame count and frame rate, decoding without a
# single warning, and the transparent key colour in the first frame's
# top-left pixel.  Prints one line per clip; exits 1 if any clip is off.
set -uo pipefail
dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../resources" && pwd)"

# name  width height frames rate  key colour (hex RGB of the top-left pixel)
clips=(
  "clip1030.avi 282 60 20 1000000/33333 ff00ff"
  "clip1031.avi 282 60 20 1000000/33333 ff00ff"
  "clip1032.avi 282 60 20 1000000/33333 ff00ff"
  "clip1033.avi 282 60 20 1000000/33333 ff00ff"
  "clip1034.avi 48 48 10 8/1 c0c0c0"
)

failed=0
for line in "${clips[@]}"; do
  read -r name w h n rate key <<<"$line"
  file="$dir/$name"
  problems=()
  if [ ! -f "$file" ]; then
    problems+=("missing")
  else
    want="stream|codec_name=msrle|width=$w|height=$h|r_frame_rate=$rate|nb_read_frames=$n"
    got="$(ffprobe -v error -count_frames -select_streams v:0 \
      -show_entries stream=codec_name,width,height,r_frame_rate,nb_read_frames -of compact "$file" 2>&1)"
    [ "$got" = "$want" ] || problems+=("ffprobe says '$got', expected '$want'")
    streams="$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$file" 2>&1)"
    [ "$streams" = "video" ] || problems+=("streams '$(echo $streams)', expected one video stream")
    warnings="$(ffmpeg -nostdin -v warning -i "$file" -f null - 2>&1)"
    [ -z "$warnings" ] || problems+=("ffmpeg warns: $(echo "$warnings" | head -3 | tr '\n' ' ')")
    corner="$(ffmpeg -nostdin -v error -i "$file" -frames:v 1 -vf crop=1:1:0:0 -f rawvideo -pix_fmt rgb24 - 2>/dev/null | od -An -tx1 | tr -d ' \n')"
    [ "$corner" = "$key" ] || problems+=("top-left pixel '$corner', expected '$key'")
  fi
  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok    $name  msrle ${w}x${h}, $n frames at $rate fps, no warnings, key #$key"
  else
    echo "FAIL  $name  ${problems[*]}"
    failed=1
  fi
done
exit $failed
