#!/usr/bin/env python3
"""Draws the program icon and writes every file made from it.

The one source of the icon: two grey cooling-tower bodies with white vapour plumes, in the
sixteen colours of the standard Windows palette, at 16, 32, 48, 64, 128 and 256 pixels. Writes
veltrane-N.png for each size (Linux hicolor theme, Qt resource) and veltrane.ico (Windows: the
32 and 16 pixel images, 4 bits per pixel with a transparency mask) next to this script.
Standard library only:

    python3 resources/icon/draw_icon.py
"""

import math
import os
import struct
import zlib

# The standard 16-colour palette; the icon uses four of them.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREY, WHITE = 0, 7, 8, 15
TRANSPARENT = None
# Every size drawn; the Windows icon holds the two smallest, the sizes its 4-bit format serves.
SIZES = (16, 32, 48, 64, 128, 256)
ICO_SIZES = (32, 16)

# Shapes on a 32-unit grid, scaled for the 16-pixel image.
# A tower: centre x, top y, base y, half-widths at the top, the waist and the base, waist y.
BACK_TOWER = dict(cx=11.0, top=11.5, base=31.5, top_w=5.5, waist_w=3.8, base_w=9.5, waist=21.0)
FRONT_TOWER = dict(cx=24.0, top=18.5, base=31.5, top_w=4.0, waist_w=2.8, base_w=6.5, waist=25.5)
# A plume: circles (x, y, radius) billowing up and to the right from a tower's top.
BACK_PLUME = [(11.0, 9.0, 4.5), (15.0, 6.0, 4.5), (20.0, 4.5, 3.5), (8.0, 5.5, 3.0)]
FRONT_PLUME = [(24.0, 15.5, 3.5), (27.0, 12.5, 3.5), (29.5, 9.5, 2.5)]


def tower_half_width(tower, y):
    """Hyperbolic profile: narrowest at the waist, flaring to the top and to the base."""
    if y < tower["waist"]:
        t = (tower["waist"] - y) / (tower["waist"] - tower["top"])
        flare = tower["top_w"] - tower["waist_w"]
    else:
        t = (y - tower["waist"]) / (tower["base"] - tower["waist"])
        flare = tower["base_w"] - tower["waist_w"]
    return tower["waist_w"] + flare * t * t


def in_tower(tower, x, y):
    if not tower["top"] <= y <= tower["base"]:
        return False
    return abs(x - tower["cx"]) <= tower_half_width(tower, y)


def in_plume(circles, x, y):
    return any(math.hypot(x - cx, y - cy) <= r for cx, cy, r in circles)


def mask(size, inside):
    """Pixels whose centre lies inside the shape, sampled on the 32-unit grid."""
    unit = 32.0 / size
    return [[inside((col + 0.5) * unit, (row + 0.5) * unit) for col in range(size)]
            for row in range(size)]


def outline_width(size):
    """One pixel up to 32 pixels; above, as thick as one pixel of the 32-pixel image."""
    return max(1, size // 32)


def edge(shape, row, col):
    size = len(shape)
    width = outline_width(size)
    for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)):
        for step in range(1, width + 1):
            r, c = row + dr * step, col + dc * step
            if not (0 <= r < size and 0 <= c < size and shape[r][c]):
                return True
    return False


def paint_tower(image, tower):
    size = len(image)
    unit = 32.0 / size
    shape = mask(size, lambda x, y: in_tower(tower, x, y))
    for row in range(size):
        for col in range(size):
            if not shape[row][col]:
                continue
            x, y = (col + 0.5) * unit, (row + 0.5) * unit
            shaded = x - tower["cx"] > 0.3 * tower_half_width(tower, y)
            rim = y < tower["top"] + unit
            image[row][col] = GREY if edge(shape, row, col) or shaded or rim else SILVER


def paint_plume(image, circles):
    """White with a silver outline; at 16 pixels the outline would swallow the plume."""
    size = len(image)
    shape = mask(size, lambda x, y: in_plume(circles, x, y))
    for row in range(size):
        for col in range(size):
            if shape[row][col]:
                outlined = size >= 32 and edge(shape, row, col)
                image[row][col] = SILVER if outlined else WHITE


def draw(size):
    image = [[TRANSPARENT] * size for _ in range(size)]
    paint_tower(image, BACK_TOWER)
    paint_plume(image, BACK_PLUME)
    paint_plume(image, FRONT_PLUME)
    paint_tower(image, FRONT_TOWER)
    return image


def png(image):
    size = len(image)
    rows = b""
    for row in image:
        rows += b"\0"
        for index in row:
            rows += bytes(PALETTE[index]) + b"\xff" if index is not None else b"\0\0\0\0"

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def ico_bitmap(image):
    """A 4-bit DIB: header, palette, colour rows bottom-up, then the 1-bit transparency mask."""
    size = len(image)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    colour_rows = b""
    mask_rows = b""
    for row in reversed(image):
        indices = [BLACK if index is None else index for index in row]
        packed = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        colour_rows += packed + b"\0" * (-len(packed) % 4)
        bits = 0
        for index in row:
            bits = (bits << 1) | (1 if index is None else 0)
        mask_bytes = bits.to_bytes(size // 8, "big")
        mask_rows += mask_bytes + b"\0" * (-len(mask_bytes) % 4)
    return header + palette + colour_rows + mask_rows


def ico(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    bitmaps = b""
    for image in images:
        bitmap = ico_bitmap(image)
        size = len(image)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(bitmap), offset)
        bitmaps += bitmap
        offset += len(bitmap)
    return directory + entries + bitmaps


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    images = {size: draw(size) for size in SIZES}
    for size, image in images.items():
        with open(os.path.join(here, f"veltrane-{size}.png"), "wb") as out:
            out.write(png(image))
    with open(os.path.join(here, "veltrane.ico"), "wb") as out:
        out.write(ico([images[size] for size in ICO_SIZES]))


if __name__ == "__main__":
    main()
