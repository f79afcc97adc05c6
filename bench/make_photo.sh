#!/usr/bin/env bash
# Makes the 24-megapixel benchmark photograph (6000 x 4000, JPEG quality 92, about 14 MB) from the fixture
# photographs: enlarged, with a fine grain so that it compresses like a camera picture.
# usage: bench/make_photo.sh OUTPUT.jpg     (needs ImageMagick's convert and cjpeg)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: make_photo.sh OUTPUT.jpg}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert "$top/tests/fixtures/coffee.bmp" "$top/tests/fixtures/chelsea.jpg" +append \
  -resize '6000x4000!' -seed 7 -attenuate 1.2 +noise Gaussian "$tmp/photo.ppm"
cjpeg -quality 92 "$tmp/photo.ppm" > "$out"
