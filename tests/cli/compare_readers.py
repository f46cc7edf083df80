"""Reads an icon with Pillow, icoutils and ImageMagick and compares every entry with the PNG
files tembrin-ico-cli extracted from it. Prints one line per problem; exit status 1 if any.

Usage: compare_readers.py ICON EXTRACT_DIR WORK_DIR
"""
import glob
import os
import re
import subprocess
import sys

from PIL import Image

CONVERT = "/usr/bin/convert"  # ImageMagick itself, not a wrapper earlier on the path
problems = []


def pixels(image):
    """RGBA pixels, with the colour of fully transparent pixels dropped (readers differ there)."""
    rgba = image.convert("RGBA")
    return [(0, 0, 0, 0) if p[3] == 0 else p for p in rgba.getdata()]


def compare(reader, size, theirs, ours):
    if theirs.size != ours.size:
        problems.append(f"{reader}: {size}: size {theirs.size} instead of {ours.size}")
        return
    a, b = pixels(theirs), pixels(ours)
    differing = sum(1 for p, q in zip(a, b) if p != q)
    if differing:
        problems.append(f"{reader}: {size}: {differing} pixels differ")


def main():
    icon, extracted, work = sys.argv[1:4]
    ours = {}
    for path in glob.glob(os.path.join(extracted, "*.png")):
        index, w, h, bits = map(int, re.search(r"_(\d+)_(\d+)x(\d+)_(\d+)\.png$", path).groups())
        ours[index] = (w, h, bits, Image.open(path))
    if not ours:
        problems.append("nothing extracted")

    # Pillow: one picture per size, the deepest entry of that size.
    with Image.open(icon) as ico:
        sizes = sorted(ico.info["sizes"])
        expected = sorted({(w, h) for w, h, _, _ in ours.values()})
        if sizes != expected:
            problems.append(f"Pillow: sizes {sizes} instead of {expected}")
        for w, h in sizes:
            deepest = max((v for v in ours.values() if (v[0], v[1]) == (w, h)), key=lambda v: v[2])
            ico.size = (w, h)
            compare("Pillow", f"{w}x{h}", ico.copy(), deepest[3])

    # icoutils: the listing, then every entry extracted as PNG.
    listing = subprocess.run(["icotool", "-l", icon], capture_output=True, text=True)
    if listing.returncode != 0:
        problems.append("icotool -l failed: " + listing.stderr.strip())
    listed = re.findall(r"--index=(\d+) --width=(\d+) --height=(\d+) --bit-depth=(\d+)", listing.stdout)
    if sorted((int(i) - 1, int(w), int(h), int(b)) for i, w, h, b in listed) != sorted(
        (i, w, h, b) for i, (w, h, b, _) in ours.items()
    ):
        problems.append("icotool -l lists other entries: " + listing.stdout.strip())
    out = os.path.join(work, "icotool")
    os.makedirs(out, exist_ok=True)
    x = subprocess.run(["icotool", "-x", "-o", out, icon], capture_output=True, text=True)
    if x.returncode != 0:
        problems.append("icotool -x failed: " + x.stderr.strip())
    for path in glob.glob(os.path.join(out, "*.png")):
        index = int(re.search(r"_(\d+)_\d+x\d+x\d+\.png$", path).group(1)) - 1
        compare("icotool -x", f"entry {index}", Image.open(path), ours[index][3])

    # ImageMagick: identify lists the entries in file order; convert writes each as PNG.
    ident = subprocess.run(["identify", "-format", "%w %h\n", icon], capture_output=True, text=True)
    found = [tuple(map(int, line.split())) for line in ident.stdout.split("\n") if line]
    if found != [(w, h) for _, (w, h, _, _) in sorted(ours.items())]:
        problems.append(f"identify: {found}")
    for index, (w, h, bits, picture) in sorted(ours.items()):
        png = os.path.join(work, f"magick_{index}.png")
        run = subprocess.run([CONVERT, f"{icon}[{index}]", f"PNG32:{png}"], capture_output=True, text=True)
        if run.returncode != 0:
            problems.append(f"convert entry {index}: {run.stderr.strip()}")
            continue
        compare("convert", f"entry {index}", Image.open(png), picture)

    for p in problems:
        print(p)
    print("checked", len(ours), "entries")
    return 1 if problems else 0


sys.exit(main())
