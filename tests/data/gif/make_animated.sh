#!/bin/sh
# Regenerates the animated GIFs whose first frame the command-line tool must draw, and beside
# each (NAME.first.bmp) that frame as Pillow decodes it, over white as the tool renders. Made by
# two writers (ImageMagick and Pillow), with and without transparency, with every disposal
# method. Needs ImageMagick's convert and python3 with Pillow (python3-pil).
set -e
cd "$(dirname "$0")/animated"
rm -f ./*.gif ./*.bmp
# ImageMagick: a red/yellow first frame, then a smaller blue square and a green bar.
for dispose in None Background Previous Undefined; do
    name=$(echo "$dispose" | tr 'A-Z' 'a-z')
    convert -dispose "$dispose" -delay 5 -size 20x14 xc:red -fill yellow -draw "rectangle 3,2 9,8" \
        \( -size 8x8 xc:blue -repage +6+3 \) \( -size 20x3 xc:green -repage +0+11 \) \
        -loop 0 "im_opaque_$name.gif"
    convert -dispose "$dispose" -delay 5 -size 20x14 xc:none -fill red -draw "circle 10,7 10,1" \
        \( -size 8x8 xc:blue -repage +6+3 \) \( -size 20x14 xc:none -fill green -draw "line 0,0 19,13" \) \
        -loop 3 "im_transparent_$name.gif"
done
/usr/bin/python3 - <<'PY'
import glob
from PIL import Image, ImageDraw

def frames(transparent):
    out = []
    for k in range(3):
        f = Image.new("RGBA", (18, 12), (0, 0, 0, 0) if transparent else (40 * k, 90, 200 - 50 * k, 255))
        ImageDraw.Draw(f).ellipse((k * 3, 1, k * 3 + 9, 10), fill=(255, 200 - 60 * k, 0, 255))
        out.append(f)
    return out

for disposal in range(4):
    for transparent in (False, True):
        kind = "transparent" if transparent else "opaque"
        images = frames(transparent)
        first, rest = images[0], images[1:]
        first.save(f"pil_{kind}_{disposal}.gif", save_all=True, append_images=rest,
                   duration=60, loop=0, disposal=disposal, optimize=False)

# The references: frame 0 as Pillow decodes it, over white.
for path in sorted(glob.glob("*.gif")):
    with Image.open(path) as gif:
        assert gif.n_frames > 1, path
        gif.seek(0)
        frame = gif.convert("RGBA")
    white = Image.new("RGBA", frame.size, (255, 255, 255, 255))
    Image.alpha_composite(white, frame).convert("RGB").save(path[:-4] + ".first.bmp")
PY
