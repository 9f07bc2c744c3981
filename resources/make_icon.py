#!/usr/bin/python3
"""Draws the launcher's icon, a small window with four stacked wide buttons, into corvanta.ico.

Two 32x32 images, 16 colours (4 bpp) and 256 colours (8 bpp); the output depends on nothing but
this script, so running it again gives the same bytes.
"""
import os
import struct

SIZE = 32

# The 16 standard colours, shared by both images (index: (r, g, b)).
BASIC = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, WHITE = 0, 4, 7, 8, 15
MARKS_16 = [9, 10, 12, 11]          # red, lime, blue, yellow: one mark per copy

# The 256-colour image adds a title-bar gradient and softer marks after the basic 16.
GRADIENT_FIRST = 16
GRADIENT = [(0, 0, 128 + 4 * i) for i in range(30)]
MARKS_256_FIRST = GRADIENT_FIRST + len(GRADIENT)
MARKS_256 = [(214, 48, 49), (0, 160, 70), (40, 110, 220), (240, 190, 20)]
FACE_256 = MARKS_256_FIRST + len(MARKS_256)
FACE_COLOUR = (212, 208, 200)


def draw(rich):
    """Returns (pixels, opaque): rows top to bottom of palette indices, and the visible pixels."""
    pixels = [[BLACK] * SIZE for _ in range(SIZE)]
    opaque = [[False] * SIZE for _ in range(SIZE)]
    face = FACE_256 if rich else SILVER

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour
                opaque[y][x] = True

    # The window: a dark frame, a title bar with a close box, a face-coloured body.
    fill(0, 0, 31, 31, BLACK)
    fill(1, 1, 30, 30, face)
    for x in range(1, 31):
        colour = GRADIENT_FIRST + min(x - 1, len(GRADIENT) - 1) if rich else NAVY
        fill(x, 1, x, 4, colour)
    fill(26, 2, 28, 3, SILVER)

    # Four wide raised buttons, each with a coloured mark and a line of caption.
    for copy in range(4):
        top = 6 + 6 * copy
        fill(3, top, 28, top + 4, face)
        fill(3, top, 28, top, WHITE)
        fill(3, top, 3, top + 4, WHITE)
        fill(3, top + 4, 28, top + 4, GREY)
        fill(28, top, 28, top + 4, GREY)
        mark = MARKS_256_FIRST + copy if rich else MARKS_16[copy]
        fill(5, top + 1, 7, top + 3, mark)
        fill(10, top + 2, 24 - 3 * copy, top + 2, BLACK)
    return pixels, opaque


def palette(rich):
    colours = list(BASIC)
    if rich:
        colours += GRADIENT + MARKS_256 + [FACE_COLOUR]
        colours += [(0, 0, 0)] * (256 - len(colours))
    return b"".join(struct.pack("<4B", b, g, r, 0) for (r, g, b) in colours)


def image(bits):
    rich = bits == 8
    pixels, opaque = draw(rich)
    xor = b""
    for row in reversed(pixels):                       # bottom-up
        if rich:
            xor += bytes(row)
        else:
            xor += bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2))
    mask = b""
    for row in reversed(opaque):
        value = 0
        for x in range(SIZE):
            value = (value << 1) | (0 if row[x] else 1)
        mask += struct.pack(">I", value)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, bits, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    return header + palette(rich) + xor + mask


def icon():
    images = [(4, image(4)), (8, image(8))]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = len(data) + 16 * len(images)
    for bits, body in images:
        colours = 16 if bits == 4 else 0
        data += struct.pack("<BBBBHHII", SIZE, SIZE, colours, 0, 1, bits, len(body), offset)
        offset += len(body)
    return data + b"".join(body for _, body in images)


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corvanta.ico")
    with open(target, "wb") as out:
        out.write(icon())
