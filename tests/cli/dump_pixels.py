"""Prints a picture's width, height and RGBA bytes in hex, as Pillow reads it.

Usage: dump_pixels.py PICTURE
"""
import sys

from PIL import Image

with Image.open(sys.argv[1]) as im:
    rgba = im.convert("RGBA")
    print(rgba.width, rgba.height, rgba.tobytes().hex())
