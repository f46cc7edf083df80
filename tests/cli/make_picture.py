"""Writes the test pictures with Pillow, a PNG writer independent of the program.

Usage: make_picture.py KIND OUTPUT.png
"""
import sys

from PIL import Image, ImageDraw

kind, path = sys.argv[1:3]
if kind == "disc":  # 1024 x 1024: a red disc with a half-transparent green square, clear around
    im = Image.new("RGBA", (1024, 1024), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.ellipse((64, 64, 960, 960), fill=(200, 40, 40, 255))
    d.rectangle((300, 300, 700, 700), fill=(40, 200, 40, 128))
elif kind == "bleed":  # left half fully transparent but green, right half opaque red
    im = Image.new("RGBA", (256, 256), (0, 255, 0, 0))
    ImageDraw.Draw(im).rectangle((128, 0, 255, 255), fill=(255, 0, 0, 255))
elif kind == "pixels":  # 4 x 4 pixel art, four distinct colours in quarters
    im = Image.new("RGBA", (4, 4))
    colours = [(255, 0, 0, 255), (0, 255, 0, 255), (0, 0, 255, 255), (255, 255, 0, 255)]
    for y in range(4):
        for x in range(4):
            im.putpixel((x, y), colours[(y // 2) * 2 + x // 2])
elif kind == "wide":  # 64 x 32, opaque blue
    im = Image.new("RGB", (64, 32), (0, 0, 255))
else:
    sys.exit("unknown kind " + kind)
im.save(path)
