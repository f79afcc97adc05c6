#!/usr/bin/env bash
# Times vellumine-convert on a 24-megapixel photograph side by side with the floor of any
# JPEG-to-JPEG converter (djpeg | cjpeg at the same quality) and with djpeg -bmp, and prints
# the converter's peak memory. Needs hyperfine, ImageMagick and libjpeg-turbo-progs:
#   sudo apt-get install hyperfine imagemagick libjpeg-turbo-progs
# usage: bench/pipeline.sh [BUILD_DIR] [PHOTO.jpg]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
photo=${2:-$build/bench-photo-24mp.jpg}
convert=$build/vellumine-convert
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

[ -f "$photo" ] || "$top/bench/make_photo.sh" "$photo"

hyperfine -N --warmup 2 --runs 15 \
  "$convert $photo $out/sketch.jpg" \
  "sh -c 'djpeg $photo | cjpeg -quality 20 -baseline > $out/floor.jpg'"
hyperfine -N --warmup 2 --runs 10 \
  "$convert $photo $out/sketch.bmp" \
  "sh -c 'djpeg -bmp $photo > $out/floor.bmp'"
for output in sketch.jpg sketch.bmp; do
  /usr/bin/time -f "$output: peak memory %M KiB, wall %e s" "$convert" "$photo" "$out/$output"
done
