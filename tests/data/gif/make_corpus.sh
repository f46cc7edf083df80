#!/bin/sh
# Regenerates the GIF files that the reference test and the benchmark decode. They are made by
# two independent writers (ImageMagick and Pillow) so that our decoder meets more than one
# encoder's habits. Needs ImageMagick's convert and python3 with Pillow (python3-pil).
set -e
cd "$(dirname "$0")/corpus"
export MAGICK_SEED=7
# ImageMagick
convert -size 64x48 gradient:red-blue im_gradient.gif
convert -size 97x61 plasma:fractal -colors 256 im_plasma_odd.gif
convert -size 97x61 plasma:fractal -colors 256 -interlace GIF im_plasma_interlaced.gif
convert -size 40x40 xc:white -fill black -draw "circle 20,20 20,5" -colors 2 im_two_colours.gif
convert -size 1x1 xc:green im_one_pixel.gif
convert -size 33x7 pattern:checkerboard -colors 4 -interlace GIF im_checker_interlaced.gif
convert -delay 10 -size 32x32 xc:red \( -size 32x32 xc:none -fill blue -draw "rectangle 8,8 23,23" \) \
    -loop 0 im_animated.gif
convert -size 400x300 plasma:fractal -colors 256 im_plasma_big.gif
convert -size 256x256 xc: +noise Random -colors 256 im_noise.gif
# Pillow
/usr/bin/python3 - <<'PY'
import random
from PIL import Image, ImageDraw
random.seed(11)
img = Image.new("P", (120, 80))
img.putpalette([c for i in range(256) for c in (i, 255 - i, (i * 7) & 255)])
img.putdata([(x * y + x) % 256 for y in range(80) for x in range(120)])
img.save("pil_pattern.gif", interlace=False)
img.save("pil_pattern_interlaced.gif")  # Pillow interlaces unless told not to
noise = Image.new("P", (200, 150))
noise.putpalette([random.randrange(256) for _ in range(768)])
noise.putdata([random.randrange(256) for _ in range(200 * 150)])
noise.save("pil_noise.gif")
few = Image.new("P", (50, 30))
few.putpalette([0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0])
few.putdata([random.randrange(4) for _ in range(50 * 30)])
few.save("pil_four_colours.gif")
frames = []
for k in range(4):
    f = Image.new("RGB", (48, 36), (k * 60, 20, 200 - k * 40))
    ImageDraw.Draw(f).ellipse((k * 6, 4, k * 6 + 20, 30), fill=(255, 255, 0))
    frames.append(f.convert("P", palette=Image.ADAPTIVE, colors=16))
frames[0].save("pil_animated.gif", save_all=True, append_images=frames[1:], duration=80,
               loop=5, transparency=0)
rgb = Image.linear_gradient("L").resize((320, 240)).convert("RGB")
rgb.convert("P", palette=Image.ADAPTIVE, colors=256).save("pil_gradient_big.gif")
PY
