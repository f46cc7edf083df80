#!/usr/bin/env python3
"""Draws the pictures of the feature test skin next to this script.

The skin is small and made of flat colours so that tests can tell every part by its pixels:
a frame with a mask, caption buttons placed on the caption, animated caption objects, one
morphing button for each morph kind, a popup menu frame with a mask, menu rows with an
animation strip, a button control with a mask, an image strip for image lists, and an edit and
a combo box.
Run it again after changing a colour here; tests/skin/feature_skin.h names the same colours.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


class Picture:
    """Pixels as 0xRRGGBB values, row by row from the top."""

    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, value):
        self.pixels[y][x] = value


def picture(width, height, fill):
    return Picture(width, height, fill)


def box(image, left, top, right, bottom, fill):
    for y in range(top, bottom):
        for x in range(left, right):
            image.put(x, y, fill)


def write_bmp(name, width, height, bits, palette, rows):
    """A BMP file with bottom-up rows; `rows` holds each row's bytes, top row first."""
    stride = (width * bits + 31) // 32 * 4
    image = b"".join(row.ljust(stride, b"\0") for row in reversed(rows))
    offset = 14 + 40 + 4 * len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(image), 2835, 2835,
                       len(palette), 0)
    table = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in palette)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(header + info + table + image)


def save(image, name):
    rows = [b"".join(struct.pack("<BBB", p & 0xFF, (p >> 8) & 0xFF, p >> 16) for p in row)
            for row in image.pixels]
    write_bmp(name, image.width, image.height, 24, [], rows)


def save_mask(image, name, bits):
    """A mask picture in 1 or 8 bits a pixel: black is inside, anything else outside."""
    rows = []
    for row in image.pixels:
        inside = [0 if p == 0 else 1 for p in row]
        if bits == 8:
            rows.append(bytes(inside))
        else:
            packed = bytearray((len(inside) + 7) // 8)
            for x, v in enumerate(inside):
                packed[x // 8] |= v << (7 - x % 8)
            rows.append(bytes(packed))
    palette = [0x000000, 0xFFFFFF] + ([0] * 254 if bits == 8 else [])
    write_bmp(name, image.width, image.height, bits, palette, rows)


# The frame: 100 x 60, caption strip 20 high, borders 4 wide.
FRAME_BORDER = 0x203040
FRAME_CAPTION = 0x3060A0
FRAME_CLIENT = 0xE0E0E0
frame = picture(100, 60, FRAME_BORDER)
box(frame, 4, 2, 96, 18, FRAME_CAPTION)
box(frame, 4, 20, 96, 56, FRAME_CLIENT)
save(frame, "main.bmp")

# The frame mask: everything inside but the three outermost pixels of the top corners.
mask = picture(100, 60, 0x000000)
for x, y in [(0, 0), (1, 0), (0, 1), (99, 0), (98, 0), (99, 1)]:
    mask.put(x, y, 0xFFFFFF)
save_mask(mask, "mask.bmp", 8)

# Caption objects, 12 x 12 each (active picture 0).
SYSMENU, SYSMENU_HOT = 0x808080, 0xA0A0A0
CLOSE, CLOSE_HOT, CLOSE_DOWN = 0xC00000, 0xFF4040, 0x600000
GLOW = [0x102010, 0x206020, 0x30A030, 0x40F040]
SPIN = [0x101060, 0x2020A0, 0x3030F0]
SPIN_DOWN = 0xF0F000
MORPH_A, MORPH_B = 0xFF0000, 0x00FF00  # normal: left half, right half
MORPH_C, MORPH_D = 0x0000FF, 0xFFFFFF  # hot: left half, right half
active = picture(48, 60, 0x000000)
box(active, 0, 0, 12, 12, SYSMENU)
box(active, 12, 0, 24, 12, SYSMENU_HOT)
box(active, 0, 12, 12, 24, CLOSE)
box(active, 12, 12, 24, 24, CLOSE_HOT)
box(active, 24, 12, 36, 24, CLOSE_DOWN)
for i, color in enumerate(GLOW):
    box(active, 12 * i, 24, 12 * i + 12, 36, color)
for i, color in enumerate(SPIN):
    box(active, 12 * i, 36, 12 * i + 12, 48, color)
box(active, 36, 36, 48, 48, SPIN_DOWN)
box(active, 0, 48, 6, 60, MORPH_A)
box(active, 6, 48, 12, 60, MORPH_B)
box(active, 12, 48, 18, 60, MORPH_C)
box(active, 18, 48, 24, 60, MORPH_D)
save(active, "active.bmp")

# Menu rows, 40 x 14: normal, active, a strip of three frames, and the divider
# (active picture 1).
ROW, ROW_ACTIVE = 0xF0F0F0, 0x4080FF
ROW_FRAMES = [0xD0D8F0, 0xA0B8F8, 0x70A0FC]
DIVIDER = 0x909090
rows = picture(120, 45, 0xFFFFFF)
box(rows, 0, 0, 40, 14, ROW)
box(rows, 0, 14, 40, 28, ROW_ACTIVE)
for i, color in enumerate(ROW_FRAMES):
    box(rows, 40 * i, 28, 40 * i + 40, 42, color)
box(rows, 0, 42, 40, 45, DIVIDER)
save(rows, "menuitems.bmp")

# The popup frame, 30 x 30 with the items in 2,2,28,28, and its mask (pictures 2 and 3).
POPUP_BORDER, POPUP_ITEMS = 0x602060, 0xFFF0FF
popup = picture(30, 30, POPUP_BORDER)
box(popup, 2, 2, 28, 28, POPUP_ITEMS)
save(popup, "pw.bmp")
popup_mask = picture(30, 30, 0x000000)
for x, y in [(0, 0), (29, 0), (0, 29), (29, 29)]:
    popup_mask.put(x, y, 0xFFFFFF)
save_mask(popup_mask, "pwmask.bmp", 1)

# A button control, 30 x 20 in three states, and its mask with cut corners (pictures 4, 5).
BUTTON, BUTTON_HOT, BUTTON_DOWN = 0x40A040, 0x60C060, 0x207020
controls = picture(90, 20, BUTTON)
box(controls, 30, 0, 60, 20, BUTTON_HOT)
box(controls, 60, 0, 90, 20, BUTTON_DOWN)
save(controls, "controls.bmp")
button_mask = picture(30, 20, 0x000000)
for x, y in [(0, 0), (29, 0), (0, 19), (29, 19)]:
    button_mask.put(x, y, 0xFFFFFF)
save_mask(button_mask, "buttonmask.bmp", 1)

# An image strip for image lists: three 8 x 8 images on magenta, each a square of its own
# colour inset by one pixel.
STRIP_MASK = 0xFF00FF
STRIP = [0x00C000, 0x0000C0, 0xC0C000]
strip = picture(24, 8, STRIP_MASK)
for i, color in enumerate(STRIP):
    box(strip, 8 * i + 1, 1, 8 * i + 7, 7, color)
save(strip, "images.bmp")

# An edit and a combo box (picture 6). The edit is 40 x 20 with a 3-pixel frame, normal at
# (0,0) and hot at (40,0), the text area in the field colour. The combo box is 60 x 20 at
# (0,20) with a 2-pixel frame and its button at 44..58; its text-area images are 42 x 16 at
# (0,40) (normal) and (42,40) (focused).
EDIT_FRAME, EDIT_FRAME_HOT, EDIT_FIELD = 0x305070, 0x5080C0, 0xFFFFE0
COMBO_FRAME, COMBO_BUTTON = 0x705030, 0xB09060
COMBO_ITEM, COMBO_ITEM_FOCUS = 0xFFFFF0, 0x2040C0
boxes = picture(120, 56, 0x000000)
box(boxes, 0, 0, 40, 20, EDIT_FRAME)
box(boxes, 3, 3, 37, 17, EDIT_FIELD)
box(boxes, 40, 0, 80, 20, EDIT_FRAME_HOT)
box(boxes, 43, 3, 77, 17, EDIT_FIELD)
box(boxes, 0, 20, 60, 40, COMBO_FRAME)
box(boxes, 2, 22, 44, 38, COMBO_ITEM)
box(boxes, 44, 22, 58, 38, COMBO_BUTTON)
box(boxes, 0, 40, 42, 56, COMBO_ITEM)
box(boxes, 42, 40, 84, 56, COMBO_ITEM_FOCUS)
save(boxes, "boxes.bmp")

# Containers (picture 7). A panel, 40 x 40: a 16-pixel caption band over a 4-pixel border,
# marked columns on the top and bottom edges and marked rows on the side edges so that tiles
# show, a client piece of two halves, and beside it the check marks (on a magenta edge, their
# transparent colour), the roll-up marker's background and the caption frame (ends and middle).
PANEL_BORDER, PANEL_TOP, PANEL_MARK = 0x604020, 0x406080, 0xFFFF00
PANEL_CLIENT = [0xC0E0C0, 0xA0C0A0]
CHECK, UNCHECK, ROLL_MARK = 0x00FF80, 0xFF8000, 0x8000FF
FRAME_END, FRAME_MIDDLE = 0x202080, 0x4040C0
# A scroll box, 40 x 30: an 8-pixel border round a client piece of two halves.
SCROLL_BORDER = 0x806040
SCROLL_CLIENT = [0xF0D0A0, 0xA0D0F0]
panels = picture(120, 60, 0x000000)
# Later boxes paint over earlier ones: (left, top, right, bottom), colour.
PANEL_BOXES = [
    ((0, 0, 40, 40), PANEL_BORDER), ((0, 0, 40, 16), PANEL_TOP),
    ((12, 0, 13, 16), PANEL_MARK), ((12, 36, 13, 40), PANEL_MARK),
    ((0, 24, 4, 25), PANEL_MARK), ((36, 24, 40, 25), PANEL_MARK),
    ((4, 16, 20, 36), PANEL_CLIENT[0]), ((20, 16, 36, 36), PANEL_CLIENT[1]),
    ((40, 0, 60, 10), STRIP_MASK), ((41, 1, 49, 9), CHECK), ((51, 1, 59, 9), UNCHECK),
    ((60, 0, 70, 12), ROLL_MARK),
    ((0, 40, 30, 52), FRAME_END), ((4, 40, 26, 52), FRAME_MIDDLE),
    ((70, 0, 110, 30), SCROLL_BORDER),
    ((78, 8, 90, 22), SCROLL_CLIENT[0]), ((90, 8, 102, 22), SCROLL_CLIENT[1]),
]
for (left, top, right, bottom), color in PANEL_BOXES:
    box(panels, left, top, right, bottom, color)
save(panels, "panels.bmp")
