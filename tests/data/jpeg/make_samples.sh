#!/bin/sh
# Regenerates the small JPEG files that the sampled-draw test decodes both ways. They cover
# the encodings a decoder treats differently: baseline and progressive, gray, the three
# chroma samplings, restart markers and sizes that are not whole blocks. Each is taller than
# 64 rows, so that a 64-row draw shrinks it. Needs cjpeg (libjpeg-turbo-progs) and python3
# with Pillow (python3-pil).
set -e
cd "$(dirname "$0")"
/usr/bin/python3 - <<'PY'
import math
from PIL import Image

def photo(w, h):
    # Smooth colour with some texture, so that every block has detail.
    img = Image.new("RGB", (w, h))
    img.putdata([(int(128 + 127 * math.sin(x / 9.0)) ^ (y & 7),
                  (x * 3 + y * 2) & 255,
                  int(128 + 120 * math.cos((x + y) / 13.0)))
                 for y in range(h) for x in range(w)])
    return img

photo(160, 120).save("/tmp/tembrin_jpeg_photo.ppm")
photo(157, 101).save("/tmp/tembrin_jpeg_odd.ppm")
photo(66, 203).save("/tmp/tembrin_jpeg_tall.ppm")
PY
p=/tmp/tembrin_jpeg_photo.ppm
cjpeg -quality 85 -sample 2x2 "$p" > baseline_420.jpg
cjpeg -quality 85 -sample 2x1 "$p" > baseline_422.jpg
cjpeg -quality 85 -sample 1x1 "$p" > baseline_444.jpg
cjpeg -quality 85 -sample 1x2 "$p" > baseline_440.jpg
cjpeg -quality 85 -sample 2x2 -progressive "$p" > progressive_420.jpg
cjpeg -quality 85 -sample 1x1 -progressive "$p" > progressive_444.jpg
cjpeg -quality 85 -grayscale "$p" > grayscale.jpg
cjpeg -quality 85 -grayscale -progressive "$p" > grayscale_progressive.jpg
cjpeg -quality 85 -sample 2x2 -restart 1 "$p" > restart_420.jpg
cjpeg -quality 85 -sample 2x1 -restart 3B "$p" > restart_blocks_422.jpg
cjpeg -quality 85 -sample 2x2 /tmp/tembrin_jpeg_odd.ppm > odd_size_420.jpg
cjpeg -quality 85 -sample 2x1 -progressive /tmp/tembrin_jpeg_odd.ppm > odd_size_progressive_422.jpg
cjpeg -quality 85 -sample 2x2 /tmp/tembrin_jpeg_tall.ppm > tall_narrow_420.jpg
# A file cut off half-way decodes its upper part; the rest is what the library makes up.
head -c 2600 baseline_420.jpg > truncated_420.jpg
rm -f /tmp/tembrin_jpeg_photo.ppm /tmp/tembrin_jpeg_odd.ppm /tmp/tembrin_jpeg_tall.ppm
